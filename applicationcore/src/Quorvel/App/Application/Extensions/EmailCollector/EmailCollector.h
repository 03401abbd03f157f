#pragma once

#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/ExternalStimulus/IGateway.h>
#include <Quorvel/Networking/IHttpClient.h>

#include <future>
#include <memory>

namespace Quorvel::App {

/// On the first start after an installation, offers the user a dialog to leave an e-mail
/// address (unless the product's customization switches collection off or the user is
/// registered already), and sends a confirmed address to the collection service.
///
/// The dialog is handed to the stimulus gateway as "EMAIL_DIALOG", so the product decides
/// when it appears; without a gateway it appears at once. It runs modally, parented to the
/// main window, on the GUI thread. A failed send is logged as one ERROR; nothing is retried.
/// Destroying the collector never waits: a send still pending is dropped, the address stays
/// stored.
class QUORVEL_APPLICATIONCORE_EXPORT EmailCollector : public Extension {
public:
    /// The first four are required (std::logic_error on an empty pointer); the gateway and
    /// the HTTP client may be empty (without a client every send fails).
    EmailCollector(const std::shared_ptr<ICustomizationManager>& customization,
                   const std::shared_ptr<ILinksManager>& links,
                   const std::shared_ptr<IMailSettingsManager>& mailSettings,
                   const std::shared_ptr<ILaunchTypeProcessor>& launchType,
                   const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& gateway,
                   const std::shared_ptr<Quorvel::Networking::IHttpClient>& httpClient);
    ~EmailCollector() override;

    void onStart() override;

    /// A launch after installation, collection switched on, and the user not registered.
    bool needCollectEmail() const;
    /// The user confirmed an address in the dialog.
    bool needSendEmail() const;
    /// Shows the dialog if it is still wanted, then sends a confirmed address.
    void showEmailDialog() const;
    /// Starts sending the stored address; returns at once.
    void sendUserEmail() const;

    /// Becomes ready when the latest send has completed, successfully or not; each send has
    /// its own. Invalid before the first send.
    std::shared_future<void> sendCompletion() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
