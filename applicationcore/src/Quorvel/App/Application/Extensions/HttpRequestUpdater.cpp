#include <Quorvel/App/Application/Extensions/HttpRequestUpdater.h>
#include <Quorvel/App/Application/ITopManager.h>

#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/SHA1.h>

#include <QCoreApplication>

#include <stdexcept>

namespace Quorvel::App {

struct HttpRequestUpdater::Impl {
    std::shared_ptr<ICustomizationManager> customization;
    std::shared_ptr<IUserSettingsManager> userSettings;
    std::shared_ptr<IHardwareInfo> hardwareInfo;
};

HttpRequestUpdater::HttpRequestUpdater(
    const Quorvel::NotNull<std::shared_ptr<ICustomizationManager>>& customization,
    const Quorvel::NotNull<std::shared_ptr<IUserSettingsManager>>& userSettings,
    const Quorvel::NotNull<std::shared_ptr<IHardwareInfo>>& hardwareInfo)
    : m_impl(new Impl{customization, userSettings, hardwareInfo}) {}

HttpRequestUpdater::~HttpRequestUpdater() = default;

std::map<std::string, std::string> HttpRequestUpdater::getRawHeaders() const {
    // Nothing is cached: the web-user identifier may be assigned while the product runs.
    const std::string webUid = m_impl->userSettings->GetString("WEBUID", "UNDEFINED");
    const std::string userAgent = m_impl->customization->GetUserAgentInfo().userAgent;
    std::string hardware = m_impl->hardwareInfo->GetHardwareText();
    if (!hardware.empty()) {
        hardware = Quorvel::Util::SHA1(hardware);
    }
    return {{"User-Agent", userAgent},
            {"Quorvel-Huid", hardware},
            {"Quorvel-Os", Quorvel::Util::PlatformToken()},
            {"Quorvel-Webuid", webUid}};
}

void HttpRequestUpdater::updateQtRequest(QNetworkRequest& request) const {
    const std::map<std::string, std::string> headers = getRawHeaders();
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QVariant(QString::fromStdString(headers.at("User-Agent"))));
    for (const auto& [name, value] : headers) {
        if (name != "User-Agent") {
            request.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
        }
    }
}

std::shared_ptr<IHttpRequestUpdater> createDefaultUpdater(const ITopManager& top) {
    return std::make_shared<HttpRequestUpdater>(top.Get<ICustomizationManager>(),
                                                top.Get<IUserSettingsManager>(),
                                                top.Get<IHardwareInfo>());
}

std::shared_ptr<IHttpRequestUpdater> createDefaultUpdater() {
    const auto* top = dynamic_cast<const ITopManager*>(QCoreApplication::instance());
    if (!top) {
        throw std::logic_error("createDefaultUpdater needs the running Quorvel::App::Application");
    }
    return createDefaultUpdater(*top);
}

}  // namespace Quorvel::App
