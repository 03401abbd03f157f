#pragma once

#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>

namespace Quorvel::App {

/// The "product" settings store: facts about this installation (partner name, first start,
/// preferred browser, architecture).
/// Without a path it lives in the default place of SettingsStore for the scope "product".
class QUORVEL_SERVICES_EXPORT ProductSettingsManager : public SettingsStore,
                                                       public IProductSettingsManager {
public:
    /// The store's name: its file or registry key.
    static constexpr const char* Scope = "product";

    /// An empty `filePath` chooses the default place (see SettingsStore).
    explicit ProductSettingsManager(const QString& filePath = QString());
    ~ProductSettingsManager() override;
};

}  // namespace Quorvel::App
