#include <Quorvel/App/EmailSender.h>

#include "internal/EmailAddress.h"

#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/NotNull.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QUrl>

namespace Quorvel::App {

struct EmailSender::Impl {
    Quorvel::NotNull<std::shared_ptr<ILinksGenerator>> links;
    std::shared_ptr<Networking::IHttpClient> client;
    Quorvel::NotNull<std::shared_ptr<IMailSettingsManager>> mailSettings;
};

EmailSender::EmailSender(std::shared_ptr<ILinksGenerator> links,
                         std::shared_ptr<Networking::IHttpClient> client,
                         std::shared_ptr<IMailSettingsManager> mailSettings)
    : m_impl(std::make_shared<Impl>(
          Impl{std::move(links), std::move(client), std::move(mailSettings)})) {}

// Pending requests hold the implementation only weakly: once it is gone their answers are
// dropped.
EmailSender::~EmailSender() = default;

void EmailSender::SendEmail(const std::map<std::string, std::string>& parameters,
                            Completion&& onFinished) {
    const QString address = QString::fromStdString(
        m_impl->mailSettings->GetString(MailSettingsManager::AddressKey, std::string()));
    const QUrl url(m_impl->links->GetUrl(Quorvel::URLKeys::COLLECT_EMAIL_URL));
    const char* refusal = nullptr;
    if (!Internal::IsEmailAddress(address)) {
        refusal = "the mail settings hold no valid address under \"Email\"";
    } else if (!url.isValid() || url.isRelative()) {
        refusal = "there is no address for COLLECT_EMAIL_URL";
    } else if (!m_impl->client) {
        refusal = "there is no HTTP client";
    }
    if (refusal) {
        onFinished(false, std::string("Could not send the e-mail address: ") + refusal);
        return;
    }

    QJsonObject body;
    for (const auto& [name, value] : parameters) {
        body.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
    body.insert("email", address);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");

    std::weak_ptr<Impl> weak = m_impl;
    m_impl->client->Post(
        request, QJsonDocument(body).toJson(QJsonDocument::Compact),
        [weak, onFinished = std::move(onFinished)](const Networking::HttpResponse& response) {
            const auto impl = weak.lock();
            if (!impl) {
                return;
            }
            if (!response.error.isEmpty()) {
                onFinished(false,
                           "Could not send the e-mail address: " + response.error.toStdString());
                return;
            }
            impl->mailSettings->SetString(MailSettingsManager::RegisteredKey, "1");
            onFinished(true, std::string());
        });
}

}  // namespace Quorvel::App
