#include <Quorvel/App/CustomizationManager.h>

#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/JsonReader.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/LocaleChain.h>
#include <Quorvel/Reading/ShownText.h>
#include <Quorvel/Util/TextConversion.h>

#include <QDir>
#include <QJsonObject>
#include <QJsonValue>

#include <map>
#include <mutex>
#include <optional>

namespace Quorvel::App {

namespace {

struct Values {
    std::string organizationName;
    std::string applicationName;
    std::string productName;
    std::string partnerName;
    std::string thankYouPageMode;
    UserAgentInfo userAgent;
    bool emailCollection = false;
};

// What one entry of "locales" replaces; members it does not name stay as they are.
struct Override {
    std::optional<std::string> organizationName;
    std::optional<std::string> applicationName;
    std::optional<std::string> productName;
    std::optional<std::string> partnerName;
    std::optional<std::string> thankYouPageMode;
    std::optional<std::string> userAgentProduct;
    std::optional<std::string> userAgentText;
    std::optional<bool> emailCollection;
};

template <class T>
void Apply(const std::optional<T>& value, T& target) {
    if (value) {
        target = *value;
    }
}

using Reading::JsonReader;
using Presence = JsonReader::Presence;

// Every text of the customization ends up in a window, a log line or a web request, so each
// is bounded.
std::optional<std::string> Text(const JsonReader& reader, const QJsonObject& object,
                                const QString& name, const QString& where, Presence presence) {
    const auto text = reader.String(object, name, where, presence);
    if (!text) {
        return std::nullopt;
    }
    return Util::QStringToUtf8(
        Reading::ShownText(*text, reader.Source(), JsonReader::Path(where, name)));
}

// Names the product shows and files its settings under: empty would be a broken product.
std::optional<std::string> Name(const JsonReader& reader, const QJsonObject& object,
                                const QString& name, const QString& where, Presence presence) {
    auto text = Text(reader, object, name, where, presence);
    if (text && text->empty()) {
        reader.Fail("the member \"" + JsonReader::Path(where, name) + "\" must not be empty");
    }
    return text;
}

const QString kOrganizationName = QStringLiteral("organizationName");
const QString kApplicationName = QStringLiteral("applicationName");
const QString kProductName = QStringLiteral("productName");
const QString kProductVersion = QStringLiteral("productVersion");
const QString kUserAgent = QStringLiteral("userAgent");
const QString kUserAgentProduct = QStringLiteral("product");
const QString kUserAgentText = QStringLiteral("text");
const QString kPartnerName = QStringLiteral("partnerName");
const QString kThankYouPageMode = QStringLiteral("thankYouPageMode");
const QString kEmailCollection = QStringLiteral("emailCollection");
const QString kLocales = QStringLiteral("locales");

Override ReadOverride(const JsonReader& reader, const QJsonObject& object, const QString& where) {
    reader.CheckKnown(object,
                      {kOrganizationName, kApplicationName, kProductName, kUserAgent, kPartnerName,
                       kThankYouPageMode, kEmailCollection},
                      where);
    Override result;
    result.organizationName = Name(reader, object, kOrganizationName, where, Presence::Optional);
    result.applicationName = Name(reader, object, kApplicationName, where, Presence::Optional);
    result.productName = Name(reader, object, kProductName, where, Presence::Optional);
    result.partnerName = Text(reader, object, kPartnerName, where, Presence::Optional);
    result.thankYouPageMode = Text(reader, object, kThankYouPageMode, where, Presence::Optional);
    result.emailCollection = reader.Bool(object, kEmailCollection, where);
    if (const auto agent = reader.Object(object, kUserAgent, where, Presence::Optional)) {
        const QString agentPath = JsonReader::Path(where, kUserAgent);
        reader.CheckKnown(*agent, {kUserAgentProduct, kUserAgentText}, agentPath);
        result.userAgentProduct =
            Text(reader, *agent, kUserAgentProduct, agentPath, Presence::Optional);
        result.userAgentText = Text(reader, *agent, kUserAgentText, agentPath, Presence::Optional);
    }
    return result;
}

// Everything the file says.
struct Description {
    Values base;
    Quorvel::Core::Version version;
    std::map<std::string, Override> overrides;
};

Description Read(const JsonReader& reader) {
    const QJsonObject& root = reader.Root();
    reader.CheckKnown(root,
                      {kOrganizationName, kApplicationName, kProductName, kProductVersion,
                       kUserAgent, kPartnerName, kThankYouPageMode, kEmailCollection, kLocales},
                      QString());

    Description description;
    Values& base = description.base;
    const QString top;
    base.organizationName = *Name(reader, root, kOrganizationName, top, Presence::Required);
    base.applicationName = *Name(reader, root, kApplicationName, top, Presence::Required);
    base.productName = *Name(reader, root, kProductName, top, Presence::Required);

    const QString versionText = *reader.String(root, kProductVersion, top, Presence::Required);
    try {
        description.version = Quorvel::Core::ParseVersion(Util::QStringToUtf8(versionText));
    } catch (const std::invalid_argument& e) {
        reader.Fail("the member \"productVersion\" is wrong: " + QString::fromUtf8(e.what()));
    }

    const QJsonObject agent = *reader.Object(root, kUserAgent, top, Presence::Required);
    reader.CheckKnown(agent, {kUserAgentProduct, kUserAgentText}, kUserAgent);
    base.userAgent.product =
        *Text(reader, agent, kUserAgentProduct, kUserAgent, Presence::Required);
    base.userAgent.userAgent = *Text(reader, agent, kUserAgentText, kUserAgent, Presence::Required);

    base.partnerName = Text(reader, root, kPartnerName, top, Presence::Optional).value_or("");
    base.thankYouPageMode =
        Text(reader, root, kThankYouPageMode, top, Presence::Optional).value_or("");
    base.emailCollection = reader.Bool(root, kEmailCollection, top).value_or(false);

    if (const auto locales = reader.Object(root, kLocales, top, Presence::Optional)) {
        for (auto it = locales->begin(); it != locales->end(); ++it) {
            if (it.key().isEmpty()) {
                reader.Fail("a locale name in \"locales\" is empty");
            }
            const QString where = JsonReader::Path(kLocales, it.key());
            description.overrides[Util::QStringToUtf8(it.key())] =
                ReadOverride(reader, reader.AsObject(it.value(), where), where);
        }
    }
    return description;
}

}  // namespace

struct CustomizationManager::Impl {
    explicit Impl(Description read) : description(std::move(read)), current(description.base) {}

    Values Resolve(const std::string& locale) const {
        Values values = description.base;
        for (const QString& name : Reading::LocaleChain(Util::Utf8ToQString(locale))) {
            const auto found = description.overrides.find(Util::QStringToUtf8(name));
            if (found == description.overrides.end()) {
                continue;
            }
            const Override& o = found->second;
            Apply(o.organizationName, values.organizationName);
            Apply(o.applicationName, values.applicationName);
            Apply(o.productName, values.productName);
            Apply(o.partnerName, values.partnerName);
            Apply(o.thankYouPageMode, values.thankYouPageMode);
            Apply(o.userAgentProduct, values.userAgent.product);
            Apply(o.userAgentText, values.userAgent.userAgent);
            Apply(o.emailCollection, values.emailCollection);
            break;
        }
        return values;
    }

    const Description description;

    mutable std::mutex mutex;
    Values current;
    std::string locale;
};

std::shared_ptr<CustomizationManager> CustomizationManager::FromFile(const QString& path) {
    const auto file = Reading::InputFile::Read(path, Reading::Limits::kDataFile);
    if (!file.IsRead()) {
        throw CustomizationError(Util::QStringToUtf8(QDir::toNativeSeparators(path)),
                                 Util::QStringToUtf8(file.Problem()));
    }
    return FromJson(file.Bytes(), path);
}

std::shared_ptr<CustomizationManager> CustomizationManager::FromFile(const Quorvel::ioPath& path) {
    return FromFile(Util::Utf8ToQString(path.utf8string()));
}

std::shared_ptr<CustomizationManager> CustomizationManager::FromJson(const QByteArray& json,
                                                                     const QString& source) {
    try {
        auto impl = std::make_unique<Impl>(Read(JsonReader::FromJson(json, source)));
        return std::shared_ptr<CustomizationManager>(new CustomizationManager(std::move(impl)));
    } catch (const Reading::DataFileError& error) {
        throw CustomizationError(Util::QStringToUtf8(error.File()),
                                 Util::QStringToUtf8(error.Problem()));
    }
}

CustomizationManager::CustomizationManager(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

CustomizationManager::~CustomizationManager() = default;

void CustomizationManager::SwitchLocale(const std::string& locale) {
    Values values = m_impl->Resolve(locale);
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->current = std::move(values);
    m_impl->locale = locale;
}

std::string CustomizationManager::GetOrganizationName() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.organizationName;
}

std::string CustomizationManager::GetPartnerName() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.partnerName;
}

Quorvel::Core::Version CustomizationManager::GetProductVersion() const {
    return m_impl->description.version;
}

std::string CustomizationManager::GetApplicationName() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.applicationName;
}

UserAgentInfo CustomizationManager::GetUserAgentInfo() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.userAgent;
}

std::string CustomizationManager::GetProductName() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.productName;
}

std::string CustomizationManager::GetThankYouPageMode() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.thankYouPageMode;
}

bool CustomizationManager::IsEmailCollectionEnabled() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->current.emailCollection;
}

std::string CustomizationManager::GetLocale() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->locale;
}

}  // namespace Quorvel::App
