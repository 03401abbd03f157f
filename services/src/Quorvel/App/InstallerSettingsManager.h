#pragma once

#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "installer" settings store: what the installer recorded for the product (launch type,
/// installer file name).
/// Without a path it lives in the default place of SettingsStore for the scope "installer".
class QUORVEL_SERVICES_EXPORT InstallerSettingsManager : public SettingsStore,
                                                         public IInstallerSettingsManager {
public:
    /// The store's name: its file or registry key.
    static constexpr const char* Scope = "installer";

    /// An empty `filePath` chooses the default place (see SettingsStore).
    explicit InstallerSettingsManager(const QString& filePath = QString());
    ~InstallerSettingsManager() override;
};

}  // namespace Quorvel::App
