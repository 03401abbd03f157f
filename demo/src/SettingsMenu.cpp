#include "SettingsMenu.h"

#include <QEvent>

SettingsMenu::SettingsMenu(std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                           QWidget* parent)
    : QMenu(parent), m_settings(std::move(settings)) {
    m_resetConfirmations = addAction(QString(), this, [this] {
        // Every ConfirmationAlertBox keeps its answers under this group.
        m_settings->Remove("confirm");
        emit ConfirmationsReset();
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
