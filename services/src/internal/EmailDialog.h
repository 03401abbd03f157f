#pragma once

// Private to the services library: the widgets of the e-mail dialog.

#include <Quorvel/App/AbstractEmailDialog.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ISettingsManager.h>

#include <QCoreApplication>
#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Quorvel::App::Internal {

// Object names, for products that style the dialog and for tests that drive it:
// "emailDialog", "emailEdit", "emailHint", "consentCheck", "privacyButton", "confirmButton",
// "notNowButton".
class EmailDialog : public QDialog, public AbstractEmailDialog {
    Q_DECLARE_TR_FUNCTIONS(EmailDialog)
public:
    EmailDialog(std::shared_ptr<ISettingsManager> settings, std::shared_ptr<ILinksManager> links,
                QWidget* parent);

    void Run() override;
    void accept() override;

private:
    QString Address() const;
    void UpdateState();

    std::shared_ptr<ISettingsManager> m_settings;
    std::shared_ptr<ILinksManager> m_links;
    QLineEdit* m_address = nullptr;
    QLabel* m_hint = nullptr;
    QCheckBox* m_consent = nullptr;
    QPushButton* m_confirm = nullptr;
};

}  // namespace Quorvel::App::Internal
