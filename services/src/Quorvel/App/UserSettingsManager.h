#pragma once

#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "user" settings store: the user's identity towards the web services.
/// Without a path it lives in the default place of SettingsStore for the scope "user".
class QUORVEL_SERVICES_EXPORT UserSettingsManager : public SettingsStore,
                                                    public IUserSettingsManager {
public:
    /// The store's name: its file or registry key.
    static constexpr const char* Scope = "user";

    /// An empty `filePath` chooses the default place (see SettingsStore).
    explicit UserSettingsManager(const QString& filePath = QString());
    ~UserSettingsManager() override;
};

}  // namespace Quorvel::App
