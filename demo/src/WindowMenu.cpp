#include "WindowMenu.h"

#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>

#include <QEvent>
#include <QMenuBar>

WindowMenu::WindowMenu(QMenuBar* menuBar, std::function<bool(QWidget*)> filter)
    : QMenu(menuBar),  // the handler looks for the menu among the menu bar's descendants
      m_minimize(addAction(QString())),
      m_zoom(addAction(QString())) {
    setObjectName("menuWindow");
    m_minimize->setObjectName("actionMinimize");
    m_minimize->setShortcut(Qt::CTRL | Qt::Key_M);
    m_zoom->setObjectName("actionZoom");
    menuBar->addMenu(this);
    new Quorvel::App::MacMenuActionHandler(menuBar, std::move(filter));
    Retranslate();
}

void WindowMenu::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QMenu::changeEvent(event);
}

void WindowMenu::Retranslate() {
    setTitle(tr("&Window"));
    m_minimize->setText(tr("Mi&nimize"));
    m_zoom->setText(tr("&Zoom"));
}
