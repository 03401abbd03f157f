#include "QuitConfirmation.h"

#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>

#include <QCoreApplication>

QuitConfirmation::QuitConfirmation(
    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
    std::function<bool()> alreadyAsked, QWidget* parent)
    : m_settings(std::move(settings)), m_alreadyAsked(std::move(alreadyAsked)), m_parent(parent) {}

void QuitConfirmation::onTryToQuit(const std::function<void()>& veto) {
    if (m_alreadyAsked()) {
        return;
    }
    Quorvel::App::ConfirmationAlertBox box(
        m_settings, Quorvel::Util::AlertBox::Question,
        QCoreApplication::translate("QuitConfirmation", "Quit"),
        QCoreApplication::translate("QuitConfirmation", "Do you want to quit %1?")
            .arg(m_parent->windowTitle()),  // the product's name
        QMessageBox::Yes | QMessageBox::No, m_parent, Qt::Dialog);
    box.SetConfirmationId(Id);
    box.SetRememberOnly(QMessageBox::Yes);
    if (box.Exec() != QMessageBox::Yes) {
        veto();
    }
}
