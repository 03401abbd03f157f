#pragma once

#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "user" settings store: the user's identity towards the web services.
/// Without a path it lives in the default place of SettingsStore for the scope "user".
class QUORVEL_SERVICES_EXPORT UserSettingsManager : public SettingsStore,
                                                    public IUserSettingsManager {
public:
    static constexpr const char* Scope = "user";

    explicit UserSettingsManager(const QString& filePath = QString());
    ~UserSettingsManager() override;
};

}  // namespace Quorvel::App
