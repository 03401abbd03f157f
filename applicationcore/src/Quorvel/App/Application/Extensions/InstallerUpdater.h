#pragma once

#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

namespace Quorvel::App {

/// Records the product's processor architecture, "x" and the build's bitness ("x64"), under
/// "ArchitectBits" in the product settings at every start, where the installer and the
/// updater read it.
class QUORVEL_APPLICATIONCORE_EXPORT InstallerUpdater : public Extension {
public:
    /// Throws std::logic_error on an empty pointer.
    explicit InstallerUpdater(const std::shared_ptr<IProductSettingsManager>& productSettings);
    ~InstallerUpdater() override;
    void onStart() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
