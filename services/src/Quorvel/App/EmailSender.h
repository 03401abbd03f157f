#pragma once

#include <Quorvel/App/ILinksGenerator.h>
#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/Networking/IHttpClient.h>
#include <Quorvel/ServicesExport.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace Quorvel::App {

/// Sends the address the user confirmed to the product's e-mail collection service.
///
/// A send posts a JSON object to the address of "COLLECT_EMAIL_URL": the extra parameters as
/// strings and "email", the address stored under "Email" in the mail settings. When the
/// service takes it (a 2xx answer), "IsRegUser" = "1" is stored, so that the user is not
/// asked again. The callback runs once per send, with false and the reason when there is no
/// valid address, no collection address, no HTTP client, or the request failed (an answer cut
/// short included), a reason that quotes the server only as a log may show it; the address
/// stays stored in every case. It runs on the HTTP client's thread, or inside SendEmail when
/// the send cannot start.
///
/// Destroying the sender does not wait: the callbacks of sends still pending are not called.
class QUORVEL_SERVICES_EXPORT EmailSender {
public:
    /// Told once whether the mail went out, with the server's or the error's message.
    using Completion = std::function<void(bool success, const std::string& message)>;

    /// The links and the mail settings are required (std::logic_error on an empty pointer);
    /// without an HTTP client every send fails.
    EmailSender(std::shared_ptr<ILinksGenerator> links,
                std::shared_ptr<Networking::IHttpClient> client,
                std::shared_ptr<IMailSettingsManager> mailSettings);
    ~EmailSender();
    EmailSender(const EmailSender&) = delete;
    EmailSender& operator=(const EmailSender&) = delete;

    /// Sends a mail made from `parameters`; `onFinished` may run on another thread.
    void SendEmail(const std::map<std::string, std::string>& parameters, Completion&& onFinished);

private:
    struct Impl;
    std::shared_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
