#pragma once

#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <functional>
#include <memory>

namespace Quorvel::App {

/// Asks the product, five seconds after start, to run its automatic update check, unless the
/// user switched it off ("autoUpdate" false in the product settings; missing counts as on).
/// The check itself is the product's callback, the one set when the five seconds end. GUI
/// thread only; destroying the extension cancels a pending request.
class QUORVEL_APPLICATIONCORE_EXPORT AutoUpdateRequester : public Extension {
public:
    /// Throws std::logic_error on an empty pointer.
    AutoUpdateRequester(const std::shared_ptr<ICustomizationManager>& customization,
                        const std::shared_ptr<IProductSettingsManager>& productSettings);
    ~AutoUpdateRequester() override;

    /// What the delayed update request calls; without one the request does nothing.
    void setAutoUpdateRequestCallback(const std::function<void()>& callback);
    void onStart() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
