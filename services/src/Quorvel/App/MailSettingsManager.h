#pragma once

#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

// The "mail" settings store: the user's e-mail registration state.
// Without a path it lives in the default place of SettingsStore for the scope "mail".
class QUORVEL_SERVICES_EXPORT MailSettingsManager : public SettingsStore,
                                                    public IMailSettingsManager {
public:
    static constexpr const char* Scope = "mail";

    explicit MailSettingsManager(const QString& filePath = QString());
    ~MailSettingsManager() override;
};

}  // namespace Quorvel::App
