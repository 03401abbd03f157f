#include "SettingsMenu.h"

#include <QEvent>
#include <QStatusBar>

SettingsMenu::SettingsMenu(std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                           QMainWindow* window)
    : QMenu(window), m_settings(std::move(settings)) {
    m_resetConfirmations = addAction(QString(), this, [this, window] {
        // Every ConfirmationAlertBox keeps its answers under this group.
        m_settings->Remove("confirm");
        window->statusBar()->showMessage(tr("Every question will be asked again."), 5000);
    });
    Retranslate();
}

void SettingsMenu::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QMenu::changeEvent(event);
}

void SettingsMenu::Retranslate() {
    setTitle(tr("&Settings"));
    m_resetConfirmations->setText(tr("Reset all &confirmations"));
}
