#pragma once

#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

namespace Quorvel::App {

/// Records the folder the product runs from, ending in a separator, under "Path" in the product
/// settings at every start, so that the installer and updater find the installation.
class QUORVEL_APPLICATIONCORE_EXPORT ApplicationRegistryUpdater : public Extension {
public:
    /// Throws std::logic_error on an empty pointer.
    explicit ApplicationRegistryUpdater(const std::shared_ptr<IProductSettingsManager>& settings);
    ~ApplicationRegistryUpdater() override;
    void onStart() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
