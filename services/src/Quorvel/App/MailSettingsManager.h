#pragma once

#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "mail" settings store: the user's e-mail registration state.
/// Without a path it lives in the default place of SettingsStore for the scope "mail".
class QUORVEL_SERVICES_EXPORT MailSettingsManager : public SettingsStore,
                                                    public IMailSettingsManager {
public:
    /// The store's name: its file or registry key.
    static constexpr const char* Scope = "mail";
    /// The user's address, written by the e-mail dialog and read by the e-mail sender.
    static constexpr const char* AddressKey = "Email";
    /// "1" once the user has confirmed the address in the dialog.
    static constexpr const char* ConfirmedKey = "isConfirmed";
    /// "1" once the collection service has taken the address: the dialog is not offered again.
    static constexpr const char* RegisteredKey = "IsRegUser";

    /// An empty `filePath` chooses the default place (see SettingsStore).
    explicit MailSettingsManager(const QString& filePath = QString());
    ~MailSettingsManager() override;
};

}  // namespace Quorvel::App
