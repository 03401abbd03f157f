#pragma once

#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/ExternalStimulus/IGateway.h>

#include <functional>
#include <memory>

namespace Quorvel::App {

/// The thank-you page: on a start after an installation (or reinstallation) it opens
/// "THANK_FOR_INSTALL_URL" ("THANK_FOR_REINSTALL_URL") through the links manager once the
/// product's first window is on screen, with the installer's campaign code appended
/// ("&did=C1a2b" from an "InstallerName" like "QuorvelSetupC1a2b.exe" in the installer
/// settings). The page is wanted unless the launch type is Background, the customization's
/// thank-you page mode is empty or the product setting "BUNDLE_NAME" is set; a custom checker,
/// once given, decides alone. The answer is asked at start and again just before opening.
/// With a gateway the page opens when the gateway runs the stimulus "THANK_FOR_INSTALL".
/// Lives on the GUI thread; every service but the gateway is required (std::logic_error).
class QUORVEL_APPLICATIONCORE_EXPORT Tyfi : public Extension {
public:
    /// Throws std::logic_error when a required service is empty; the gateway may be empty.
    Tyfi(const std::shared_ptr<ICustomizationManager>& customization,
         const std::shared_ptr<ILinksManager>& links,
         const std::shared_ptr<IInstallerSettingsManager>& installerSettings,
         const std::shared_ptr<IProductSettingsManager>& productSettings,
         const std::shared_ptr<ILaunchTypeProcessor>& launchType,
         const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& gateway);
    ~Tyfi() override;

    /// From then on `checker` alone decides whether the page is wanted.
    void setCustomNeedOpenChecker(const std::function<bool()>& checker);
    void onStart() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
