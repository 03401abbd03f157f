#pragma once

#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "application" settings store: the user's choices in the interface (remembered
/// confirmations, custom colours).
/// Without a path it lives in the default place of SettingsStore for the scope "application".
class QUORVEL_SERVICES_EXPORT ApplicationSettingsManager : public SettingsStore,
                                                           public IApplicationSettingsManager {
public:
    /// The store's name: its file or registry key.
    static constexpr const char* Scope = "application";

    /// An empty `filePath` chooses the default place (see SettingsStore).
    explicit ApplicationSettingsManager(const QString& filePath = QString());
    ~ApplicationSettingsManager() override;
};

}  // namespace Quorvel::App
