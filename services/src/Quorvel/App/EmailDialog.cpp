#include "internal/EmailDialog.h"

#include "internal/EmailAddress.h"

#include <Quorvel/App/MailSettingsManager.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quorvel::App::Internal {

EmailDialog::EmailDialog(std::shared_ptr<ISettingsManager> settings,
                         std::shared_ptr<ILinksManager> links, QWidget* parent)
    : QDialog(parent), m_settings(std::move(settings)), m_links(std::move(links)) {
    setObjectName("emailDialog");
    setWindowTitle(tr("Stay in touch"));
    auto* layout = new QVBoxLayout(this);

    auto* intro = new QLabel(
        tr("Leave your e-mail address and we will tell you about new versions and tips."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_address = new QLineEdit(this);
    m_address->setObjectName("emailEdit");
    m_address->setMaxLength(kMaxEmailAddressLength);
    m_address->setPlaceholderText(tr("name@example.com"));
    m_address->setText(QString::fromStdString(
        m_settings->GetString(MailSettingsManager::AddressKey, std::string())));
    layout->addWidget(m_address);

    m_hint = new QLabel(tr("This is not an e-mail address."), this);
    m_hint->setObjectName("emailHint");
    layout->addWidget(m_hint);

    m_consent = new QCheckBox(
        tr("I agree that my address is kept to send me news about the product."), this);
    m_consent->setObjectName("consentCheck");
    layout->addWidget(m_consent);

    auto* privacy = new QPushButton(tr("Read the privacy policy"), this);
    privacy->setObjectName("privacyButton");
    privacy->setFlat(true);
    privacy->setAutoDefault(false);
    privacy->setCursor(Qt::PointingHandCursor);
    connect(privacy, &QPushButton::clicked, this,
            [this] { m_links->OpenUrl(Quorvel::URLKeys::PRIVACY_POLICY_URL); });
    layout->addWidget(privacy, 0, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(this);
    m_confirm = buttons->addButton(tr("Confirm"), QDialogButtonBox::AcceptRole);
    m_confirm->setObjectName("confirmButton");
    m_confirm->setDefault(true);
    QPushButton* notNow = buttons->addButton(tr("Not now"), QDialogButtonBox::RejectRole);
    notNow->setObjectName("notNowButton");
    notNow->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &EmailDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EmailDialog::reject);
    layout->addWidget(buttons);

    connect(m_address, &QLineEdit::textChanged, this, &EmailDialog::UpdateState);
    connect(m_consent, &QCheckBox::toggled, this, &EmailDialog::UpdateState);
    UpdateState();
}

void EmailDialog::Run() { exec(); }

void EmailDialog::accept() {
    // Enter in the field reaches here too: only a valid address with consent may leave.
    if (!IsEmailAddress(Address()) || !m_consent->isChecked()) {
        return;
    }
    m_settings->SetString(MailSettingsManager::AddressKey, Address().toStdString());
    m_settings->SetString(MailSettingsManager::ConfirmedKey, "1");
    QDialog::accept();
}

QString EmailDialog::Address() const { return m_address->text().trimmed(); }

void EmailDialog::UpdateState() {
    const bool valid = IsEmailAddress(Address());
    m_hint->setVisible(!valid && !Address().isEmpty());
    m_confirm->setEnabled(valid && m_consent->isChecked());
}

}  // namespace Quorvel::App::Internal
