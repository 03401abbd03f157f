#pragma once

#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/Util/AlertBox.h>

#include <memory>
#include <string>

namespace Quorvel::App {

/// A message box with a "Don't show this again" check box. Ticked and answered, it keeps the
/// answer in the application settings under "confirm/\<id\>_answer" and
/// "confirm/\<id\>_dont_confirm"; from then on Exec() returns that answer without showing anything.
/// The product owns the box and uses it on the GUI thread: construct, SetConfirmationId, optional
/// setters, Exec.
class QUORVEL_APPLICATIONCORE_EXPORT ConfirmationAlertBox : public Quorvel::Util::AlertBox {
    Q_OBJECT
public:
    /// An AlertBox whose answers are remembered in `settings` (may be empty: nothing is
    /// remembered).
    ConfirmationAlertBox(std::shared_ptr<IApplicationSettingsManager> settings,
                         Quorvel::Util::AlertBox::Level level, const QString& title,
                         const QString& text, QFlags<QMessageBox::StandardButton> buttons,
                         QWidget* parent, QFlags<Qt::WindowType> flags);
    ~ConfirmationAlertBox() override;

    /// The remembered answer without showing the box, else the user's (remembered when ticked).
    QMessageBox::StandardButton Exec() override;

    /// Also ticks the check box when the stored answer for `id` is to be used.
    void SetConfirmationId(const QString& id);
    /// The id set last; empty at first.
    QString GetConfirmationId() const;
    /// The label of the "Don't ask again" check box.
    /// @{
    void SetConfirmationText(const QString& text);
    QString GetConfirmationText() const;
    /// @}
    /// Only the check box; nothing is stored.
    void SetDontConfirm(bool dontConfirm);
    /// Whether the check box is ticked.
    bool IsDontConfirm() const;
    /// When not empty, only these answers are remembered.
    void SetRememberOnly(QFlags<QMessageBox::StandardButton> answers);
    /// The answers set by SetRememberOnly.
    QFlags<QMessageBox::StandardButton> RememberOnly() const;
    /// Whether an answer given with a button of the reject role (Cancel) may be remembered.
    void SetRememberOnReject(bool remember);
    /// Set by SetRememberOnReject; false at first.
    bool RememberOnReject() const;
    /// Stores `answer` instead of the one given; Exec still returns the one given.
    void SetForceSaveAnswer(int answer);
    /// Stores that the box is to be shown again; the check box keeps its state.
    void Reset();

private:
    int ReadAnswer() const;
    bool ReadDontConfirm() const;
    void WriteAnswer(int answer);
    void WriteDontConfirm(bool dontConfirm);
    std::string GetSettingKey(const std::string& name) const;

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
