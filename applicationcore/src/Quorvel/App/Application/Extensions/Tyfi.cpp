#include <Quorvel/App/Application/Extensions/Tyfi.h>

#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>
#include <Quorvel/NotNull.h>

#include <QCoreApplication>
#include <QPointer>

#include <regex>

namespace Quorvel::App {
namespace {

using Quorvel::ExternalStimulus::IGateway;

// A Windows file name has at most 255 UTF-16 units, 765 bytes of UTF-8 (a classic full path
// 260 units, 780 bytes), so no installer's name is longer than this. std::regex matches
// recursively, a stack frame or more per character, and a name of megabytes would overflow
// the stack: longer names get no code.
constexpr size_t kLongestInstallerName = 1024;

// The code of the installer's campaign: five characters after "Setup", the first one of
// C, O, Y, S, F, I, U, E. The leading ".*" is greedy, so the last code that fits is taken.
std::string CampaignCode(const std::string& installerName) {
    static const std::regex pattern(".*Setup([COYSFIUE][a-zA-Z0-9]{4}).*", std::regex::ECMAScript);
    std::smatch match;
    if (installerName.size() > kLongestInstallerName ||
        !std::regex_match(installerName, match, pattern)) {
        return {};
    }
    return match[1].str();
}

}  // namespace

struct Tyfi::Impl {
    NotNull<std::shared_ptr<ICustomizationManager>> customization;
    NotNull<std::shared_ptr<ILinksManager>> links;
    NotNull<std::shared_ptr<IInstallerSettingsManager>> installerSettings;
    NotNull<std::shared_ptr<IProductSettingsManager>> productSettings;
    NotNull<std::shared_ptr<ILaunchTypeProcessor>> launchType;
    std::shared_ptr<IGateway> gateway;
    std::unique_ptr<OpenWindowWaiter> waiter;
    std::function<bool()> customChecker;

    bool PageWanted() const {
        if (customChecker) {
            return customChecker();
        }
        return launchType->GetLaunchType() != LaunchType::Background &&
               !customization->GetThankYouPageMode().empty() &&
               productSettings->GetString("BUNDLE_NAME", "").empty();
    }

    void OpenPage() const {
        if (!PageWanted()) {
            return;
        }
        QString address;
        if (customization->GetThankYouPageMode() == "thankyou") {
            address = links->GetUrl(launchType->GetLaunchType() == LaunchType::AfterInstall
                                        ? URLKeys::THANK_FOR_INSTALL_URL
                                        : URLKeys::THANK_FOR_REINSTALL_URL);
        }
        if (address.isEmpty()) {
            return;
        }
        // The address carries its query already; the code needs no encoding.
        const std::string code = CampaignCode(installerSettings->GetString("InstallerName", ""));
        if (!code.empty()) {
            address += "&did=" + QString::fromStdString(code);
        }
        links->OpenUrl(address);
    }
};

Tyfi::Tyfi(const std::shared_ptr<ICustomizationManager>& customization,
           const std::shared_ptr<ILinksManager>& links,
           const std::shared_ptr<IInstallerSettingsManager>& installerSettings,
           const std::shared_ptr<IProductSettingsManager>& productSettings,
           const std::shared_ptr<ILaunchTypeProcessor>& launchType,
           const std::shared_ptr<IGateway>& gateway)
    : m_impl(new Impl{customization, links, installerSettings, productSettings, launchType, gateway,
                      nullptr, nullptr}) {}

Tyfi::~Tyfi() = default;

void Tyfi::setCustomNeedOpenChecker(const std::function<bool()>& checker) {
    m_impl->customChecker = checker;
}

void Tyfi::onStart() {
    if (!m_impl->PageWanted()) {
        return;
    }
    m_impl->waiter = std::make_unique<OpenWindowWaiter>();
    // The waiter belongs to the implementation: while it exists, so does everything else
    // here. The Finished() of a waiter already replaced or destroyed, and an action that a
    // gateway held past this extension's end, therefore open nothing.
    const QPointer<OpenWindowWaiter> waiter = m_impl->waiter.get();
    const Impl* impl = m_impl.get();
    QObject::connect(waiter, &OpenWindowWaiter::Finished, QCoreApplication::instance(),
                     [waiter, impl] {
                         if (!waiter) {
                             return;
                         }
                         if (!impl->gateway) {
                             impl->OpenPage();
                             return;
                         }
                         impl->gateway->Send({"THANK_FOR_INSTALL", [waiter, impl] {
                                                  if (waiter) {
                                                      impl->OpenPage();
                                                  }
                                              }});
                     });
    m_impl->waiter->Start();
}

}  // namespace Quorvel::App
