// E-mail addresses from outside: typed into the e-mail dialog, or read back from the mail
// settings and posted to the collection service. The input is the address as the settings
// hold it. An address is posted only when it has the form the rule promises, and then as
// exactly that text in the JSON body.

#include "FuzzSupport.h"

#include "internal/EmailAddress.h"

#include <Quorvel/App/EmailSender.h>
#include <Quorvel/App/MailSettingsManager.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace {

using namespace Quorvel::App;

class MemorySettings : public IMailSettingsManager {
public:
    QMap<std::string, std::string> values;

    void SetBool(const std::string& key, bool value) override { values[key] = value ? "1" : "0"; }
    void SetInt(const std::string& key, int value) override { values[key] = std::to_string(value); }
    void SetString(const std::string& key, const std::string& value) override {
        values[key] = value;
    }
    bool GetBool(const std::string&, bool defaultValue) const override { return defaultValue; }
    int GetInt(const std::string&, int defaultValue) const override { return defaultValue; }
    std::string GetString(const std::string& key, const std::string& defaultValue) const override {
        return values.value(key, defaultValue);
    }
    uint32_t GetUInt(const std::string&, uint32_t defaultValue) const override {
        return defaultValue;
    }
    bool Contains(const std::string& key) const override { return values.contains(key); }
    void Remove(const std::string& key) override { values.remove(key); }
};

class CollectionLink : public ILinksGenerator {
public:
    QString GetUrl(const QString&) override { return QString(); }
    QString GetUrl(Quorvel::URLKeys) override { return "https://quorvel.example/collect"; }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return QString(); }
};

// Keeps what was posted; answers nothing.
class RecordingClient : public Quorvel::Networking::IHttpClient {
public:
    int posts = 0;
    QByteArray body;

    void Get(const QNetworkRequest&, Callback) override { FUZZ_CHECK(false); }
    void Post(const QNetworkRequest&, const QByteArray& sent, Callback) override {
        ++posts;
        body = sent;
    }
};

// The form of an address, told without the rule's regular expression.
bool HasAddressForm(const QString& text) {
    const QStringList parts = text.split('@');
    if (text.size() > Internal::kMaxEmailAddressLength || parts.size() != 2 || parts[0].isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            return false;
        }
    }
    const QStringList labels = parts[1].split('.');
    return labels.size() >= 2 && !labels.contains(QString());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    const QByteArray stored = Quorvel::Fuzz::Bytes(data, size);
    const QString address = QString::fromStdString(stored.toStdString());
    const bool accepted = Internal::IsEmailAddress(address);
    FUZZ_CHECK(accepted == HasAddressForm(address));

    auto settings = std::make_shared<MemorySettings>();
    settings->values[MailSettingsManager::AddressKey] = stored.toStdString();
    auto client = std::make_shared<RecordingClient>();
    EmailSender sender(std::make_shared<CollectionLink>(), client, settings);
    int refusals = 0;
    sender.SendEmail({{"source", "fuzz"}}, [&](bool success, const std::string& message) {
        FUZZ_CHECK(!success && !message.empty());
        ++refusals;
    });
    FUZZ_CHECK(client->posts + refusals == 1 && client->posts == (accepted ? 1 : 0));
    if (accepted) {
        const QJsonObject body = QJsonDocument::fromJson(client->body).object();
        FUZZ_CHECK(body.value("email").toString() == address);
        FUZZ_CHECK(body.value("source").toString() == "fuzz");
    }
    return 0;
}
