#include <Quorvel/App/Application/Extensions/EmailCollector/EmailCollector.h>
#include <Quorvel/App/EmailDialogCreator.h>
#include <Quorvel/App/EmailSender.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Util/SpontaneousDialog.h>

#include <glog/logging.h>

namespace Quorvel::App {

namespace {

struct Completion {
    std::promise<void> promise;
    std::shared_future<void> future = promise.get_future().share();
};

bool IsOne(const std::shared_ptr<IMailSettingsManager>& settings, const char* key) {
    return settings->GetString(key, std::string()) == "1";
}

}  // namespace

struct EmailCollector::Impl {
    Impl(const std::shared_ptr<ICustomizationManager>& customizationManager,
         const std::shared_ptr<ILinksManager>& linksManager,
         const std::shared_ptr<IMailSettingsManager>& mail,
         const std::shared_ptr<ILaunchTypeProcessor>& launch,
         const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& stimulusGateway,
         const std::shared_ptr<Quorvel::Networking::IHttpClient>& httpClient)
        : customization(customizationManager),
          links(linksManager),
          mailSettings(mail),
          launchType(launch),
          gateway(stimulusGateway),
          sender(std::make_unique<EmailSender>(linksManager, httpClient, mail)) {}

    // The sender goes first: its pending answers must find nothing to call.
    ~Impl() { sender.reset(); }

    Quorvel::NotNull<std::shared_ptr<ICustomizationManager>> customization;
    Quorvel::NotNull<std::shared_ptr<ILinksManager>> links;
    Quorvel::NotNull<std::shared_ptr<IMailSettingsManager>> mailSettings;
    Quorvel::NotNull<std::shared_ptr<ILaunchTypeProcessor>> launchType;
    std::shared_ptr<Quorvel::ExternalStimulus::IGateway> gateway;
    std::unique_ptr<EmailSender> sender;
    // Shared with the callback of its send, so that an answer always sets its own signal.
    std::shared_ptr<Completion> completion;
    // Watched by a stimulus that a gateway may hold past the collector's life.
    std::shared_ptr<char> alive = std::make_shared<char>();
};

EmailCollector::EmailCollector(const std::shared_ptr<ICustomizationManager>& customization,
                               const std::shared_ptr<ILinksManager>& links,
                               const std::shared_ptr<IMailSettingsManager>& mailSettings,
                               const std::shared_ptr<ILaunchTypeProcessor>& launchType,
                               const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& gateway,
                               const std::shared_ptr<Quorvel::Networking::IHttpClient>& httpClient)
    : m_impl(std::make_unique<Impl>(customization, links, mailSettings, launchType, gateway,
                                    httpClient)) {}

EmailCollector::~EmailCollector() = default;

bool EmailCollector::needCollectEmail() const {
    return m_impl->launchType->GetLaunchType() == LaunchType::AfterInstall &&
           m_impl->customization->IsEmailCollectionEnabled() &&
           !IsOne(m_impl->mailSettings, MailSettingsManager::RegisteredKey);
}

bool EmailCollector::needSendEmail() const {
    return IsOne(m_impl->mailSettings, MailSettingsManager::ConfirmedKey);
}

void EmailCollector::onStart() {
    if (!needCollectEmail()) {
        return;
    }
    if (!m_impl->gateway) {
        showEmailDialog();
        return;
    }
    std::weak_ptr<char> alive = m_impl->alive;
    m_impl->gateway->Send({"EMAIL_DIALOG", [this, alive] {
                               if (!alive.expired()) {
                                   showEmailDialog();
                               }
                           }});
}

void EmailCollector::showEmailDialog() const {
    // The gateway may have held the stimulus while the situation changed.
    if (!needCollectEmail()) {
        return;
    }
    EmailDialogCreator creator;
    std::unique_ptr<AbstractEmailDialog> dialog =
        creator.Create(m_impl->mailSettings.get(), m_impl->links.get(),
                       Quorvel::Util::SpontaneousDialog::GetMainWindow());
    if (!dialog) {
        LOG(ERROR) << "Failed to create Email Dialog Impl";
        return;
    }
    dialog->Run();
    if (needSendEmail()) {
        sendUserEmail();
    }
}

void EmailCollector::sendUserEmail() const {
    auto completion = std::make_shared<Completion>();
    m_impl->completion = completion;
    m_impl->sender->SendEmail({}, [completion](bool success, const std::string& message) {
        if (!success) {
            LOG(ERROR) << message;
        }
        completion->promise.set_value();
    });
}

std::shared_future<void> EmailCollector::sendCompletion() const {
    return m_impl->completion ? m_impl->completion->future : std::shared_future<void>();
}

}  // namespace Quorvel::App
