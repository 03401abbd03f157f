#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace Quorvel::App {
namespace {

QAction* FindAction(const QMenu* menu, const QString& name) {
    for (QAction* action : menu->actions()) {
        if (action->objectName() == name) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

MacMenuActionHandler::MacMenuActionHandler(QMenuBar* menuBar, std::function<bool(QWidget*)> filter)
    : QObject(menuBar), m_filter(std::move(filter)) {
    if (const auto* menu = menuBar->findChild<QMenu*>("menuMacOSMenu")) {
        if (QAction* hide = FindAction(menu, "action_Hide")) {
            connect(hide, &QAction::triggered, this, &MacMenuActionHandler::onHideItself);
            hide->setShortcut(Qt::CTRL | Qt::Key_H);  // the command key on macOS
        }
        if (QAction* hideOthers = FindAction(menu, "action_Hide_Others")) {
            connect(hideOthers, &QAction::triggered, this, &MacMenuActionHandler::onHideOthers);
            hideOthers->setShortcut(Qt::CTRL | Qt::ALT | Qt::Key_H);
        }
        if (QAction* preferences = FindAction(menu, "action_Preferences")) {
            preferences->setShortcuts(QKeySequence::Preferences);
        }
        if (!menu->actions().isEmpty()) {
            menu->actions().last()->setShortcuts(QKeySequence::Quit);
        }
    }
    if (const auto* menu = menuBar->findChild<QMenu*>("menuWindow")) {
        if (QAction* minimize = FindAction(menu, "actionMinimize")) {
            connect(minimize, &QAction::triggered, this, &MacMenuActionHandler::onMinimize);
        }
        if (QAction* zoom = FindAction(menu, "actionZoom")) {
            connect(zoom, &QAction::triggered, this, &MacMenuActionHandler::onZoom);
        }
        if (QAction* bringAll = FindAction(menu, "actionBring_all_to_Front")) {
            connect(bringAll, &QAction::triggered, this, &MacMenuActionHandler::onBringAllToFront);
        }
    }
}

bool MacMenuActionHandler::canManipulateWithWidget(QWidget* widget) {
    return !m_filter || m_filter(widget);
}

// Hiding applications and raising all of their windows at once belong to the macOS desktop;
// on Windows and Linux the window manager has no such request, so these do nothing.
void MacMenuActionHandler::onHideItself() {}

void MacMenuActionHandler::onHideOthers() {}

void MacMenuActionHandler::onBringAllToFront() {}

void MacMenuActionHandler::onMinimize() {
    QWidget* window = QApplication::activeWindow();
    if (window && canManipulateWithWidget(window)) {
        window->showMinimized();
    }
}

void MacMenuActionHandler::onZoom() {
    QWidget* window = QApplication::activeWindow();
    if (!window || !canManipulateWithWidget(window)) {
        return;
    }
    if (window->isMaximized()) {
        window->showNormal();
    } else {
        window->showMaximized();
    }
}

}  // namespace Quorvel::App
