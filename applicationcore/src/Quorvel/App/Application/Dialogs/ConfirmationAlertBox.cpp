#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>

#include <Quorvel/Util/TextConversion.h>

#include <QCheckBox>
#include <QDialogButtonBox>

#include <boost/format.hpp>

namespace Quorvel::App {

struct ConfirmationAlertBox::Impl {
    std::shared_ptr<IApplicationSettingsManager> settings;
    QString confirmationId;
    QCheckBox* checkBox = nullptr;  // owned by the box
    bool rememberOnReject = false;
    QFlags<QMessageBox::StandardButton> rememberOnly;
    bool forceSaveAnswer = false;
    int forcedAnswer = 0;
};

ConfirmationAlertBox::ConfirmationAlertBox(std::shared_ptr<IApplicationSettingsManager> settings,
                                           Quorvel::Util::AlertBox::Level level,
                                           const QString& title, const QString& text,
                                           QFlags<QMessageBox::StandardButton> buttons,
                                           QWidget* parent, QFlags<Qt::WindowType> flags)
    : AlertBox(level, title, text, buttons, parent, flags), m_impl(std::make_unique<Impl>()) {
    m_impl->settings = std::move(settings);
    m_impl->checkBox = new QCheckBox(tr("Don't show this again"), this);
    m_impl->checkBox->setObjectName("dontConfirmCheckBox");
    setCheckBox(m_impl->checkBox);
}

ConfirmationAlertBox::~ConfirmationAlertBox() = default;

QMessageBox::StandardButton ConfirmationAlertBox::Exec() {
    if (IsDontConfirm()) {
        return static_cast<QMessageBox::StandardButton>(ReadAnswer());
    }
    const QMessageBox::StandardButton result = AlertBox::Exec();
    if (!IsDontConfirm()) {
        return result;
    }
    // The clicked button is the one of the result: QMessageBox would still report the button
    // of an earlier Exec when this one was closed without a click.
    QAbstractButton* clicked = result == QMessageBox::NoButton ? nullptr : button(result);
    const auto* buttons = findChild<QDialogButtonBox*>();
    if (!m_impl->rememberOnReject && clicked && buttons &&
        buttons->buttonRole(clicked) == QDialogButtonBox::RejectRole) {
        return result;
    }
    if (m_impl->rememberOnly && !m_impl->rememberOnly.testFlag(result)) {
        return result;
    }
    WriteDontConfirm(true);
    WriteAnswer(m_impl->forceSaveAnswer ? m_impl->forcedAnswer : result);
    return result;
}

void ConfirmationAlertBox::SetConfirmationId(const QString& id) {
    m_impl->confirmationId = id;
    m_impl->checkBox->setChecked(ReadDontConfirm());
}

QString ConfirmationAlertBox::GetConfirmationId() const { return m_impl->confirmationId; }

void ConfirmationAlertBox::SetConfirmationText(const QString& text) {
    m_impl->checkBox->setText(text);
}

QString ConfirmationAlertBox::GetConfirmationText() const { return m_impl->checkBox->text(); }

void ConfirmationAlertBox::SetDontConfirm(bool dontConfirm) {
    m_impl->checkBox->setChecked(dontConfirm);
}

bool ConfirmationAlertBox::IsDontConfirm() const { return m_impl->checkBox->isChecked(); }

void ConfirmationAlertBox::SetRememberOnly(QFlags<QMessageBox::StandardButton> answers) {
    m_impl->rememberOnly = answers;
}

QFlags<QMessageBox::StandardButton> ConfirmationAlertBox::RememberOnly() const {
    return m_impl->rememberOnly;
}

void ConfirmationAlertBox::SetRememberOnReject(bool remember) {
    m_impl->rememberOnReject = remember;
}

bool ConfirmationAlertBox::RememberOnReject() const { return m_impl->rememberOnReject; }

void ConfirmationAlertBox::SetForceSaveAnswer(int answer) {
    m_impl->forceSaveAnswer = true;
    m_impl->forcedAnswer = answer;
}

void ConfirmationAlertBox::Reset() { WriteDontConfirm(false); }

int ConfirmationAlertBox::ReadAnswer() const {
    return m_impl->settings->GetInt(GetSettingKey("answer"), 0);
}

bool ConfirmationAlertBox::ReadDontConfirm() const {
    return m_impl->settings->GetBool(GetSettingKey("dont_confirm"), false);
}

void ConfirmationAlertBox::WriteAnswer(int answer) {
    m_impl->settings->SetInt(GetSettingKey("answer"), answer);
}

void ConfirmationAlertBox::WriteDontConfirm(bool dontConfirm) {
    m_impl->settings->SetBool(GetSettingKey("dont_confirm"), dontConfirm);
}

std::string ConfirmationAlertBox::GetSettingKey(const std::string& name) const {
    return (boost::format("confirm/%1%_%2%") % Util::QStringToUtf8(m_impl->confirmationId) % name)
        .str();
}

}  // namespace Quorvel::App
