#pragma once

#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/App/IHttpRequestUpdater.h>
#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/NotNull.h>

#include <memory>

namespace Quorvel::App {

class ITopManager;

/// The identifying headers of the product's web requests, computed anew at every call:
///   "User-Agent"      the customization's user-agent text
///   "Quorvel-Huid"    SHA-1 of the machine's hardware text (empty for an empty text)
///   "Quorvel-Os"      the platform: "win" or "linux"
///   "Quorvel-Webuid"  user settings "WEBUID", default "UNDEFINED"
/// Holds no state of its own; usable from any thread the services allow.
class QUORVEL_APPLICATIONCORE_EXPORT HttpRequestUpdater : public IHttpRequestUpdater {
public:
    /// Takes the services whose values make up the headers; none may be empty.
    HttpRequestUpdater(
        const Quorvel::NotNull<std::shared_ptr<ICustomizationManager>>& customization,
        const Quorvel::NotNull<std::shared_ptr<IUserSettingsManager>>& userSettings,
        const Quorvel::NotNull<std::shared_ptr<IHardwareInfo>>& hardwareInfo);
    ~HttpRequestUpdater() override;

    /// "User-Agent" as the request's known header, then the others as raw headers in name
    /// order; headers of the same names are replaced.
    void updateQtRequest(QNetworkRequest& request) const override;
    std::map<std::string, std::string> getRawHeaders() const override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

/// An updater over the services of the context; std::logic_error when one is not stored.
QUORVEL_APPLICATIONCORE_EXPORT std::shared_ptr<IHttpRequestUpdater> createDefaultUpdater(
    const ITopManager& top);
/// The same over the running Application; std::logic_error when there is none.
QUORVEL_APPLICATIONCORE_EXPORT std::shared_ptr<IHttpRequestUpdater> createDefaultUpdater();

}  // namespace Quorvel::App
