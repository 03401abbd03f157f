#include <Quorvel/App/CustomizationManager.h>

#include "internal/JsonReading.h"

#include <Quorvel/Util/TextConversion.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <set>

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

using Internal::DescribeJson;

enum class Presence { Required, Optional };

// Reads the members of one file, naming every problem with the file and the member's path.
class Reader {
public:
    explicit Reader(std::string source) : m_source(std::move(source)) {}

    [[noreturn]] void Fail(const std::string& problem) const {
        throw CustomizationError(m_source, problem);
    }

    QJsonObject Parse(const QByteArray& json) const {
        QString problem;
        const QJsonObject object = Internal::ParseJsonObject(json, problem);
        if (!problem.isEmpty()) {
            Fail(Util::QStringToUtf8(problem));
        }
        return object;
    }

    void CheckKnown(const QJsonObject& object, const std::set<QString>& known,
                    const std::string& where) const {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (known.count(it.key()) == 0) {
                Fail("unknown member \"" + Path(where, it.key()) + "\"");
            }
        }
    }

    std::optional<QJsonValue> Member(const QJsonObject& object, const QString& name,
                                     const std::string& where, Presence presence) const {
        const auto it = object.find(name);
        if (it == object.end()) {
            if (presence == Presence::Required) {
                Fail("the member \"" + Path(where, name) + "\" is missing");
            }
            return std::nullopt;
        }
        return it.value();
    }

    std::optional<std::string> String(const QJsonObject& object, const QString& name,
                                      const std::string& where, Presence presence) const {
        const auto value = Member(object, name, where, presence);
        if (!value) {
            return std::nullopt;
        }
        if (!value->isString()) {
            WrongType(where, name, "a string", *value);
        }
        return Util::QStringToUtf8(value->toString());
    }

    // Names the product shows and files its settings under: empty would be a broken product.
    std::optional<std::string> Name(const QJsonObject& object, const QString& name,
                                    const std::string& where, Presence presence) const {
        auto text = String(object, name, where, presence);
        if (text && text->empty()) {
            Fail("the member \"" + Path(where, name) + "\" must not be empty");
        }
        return text;
    }

    std::optional<bool> Bool(const QJsonObject& object, const QString& name,
                             const std::string& where) const {
        const auto value = Member(object, name, where, Presence::Optional);
        if (!value) {
            return std::nullopt;
        }
        if (!value->isBool()) {
            WrongType(where, name, "true or false", *value);
        }
        return value->toBool();
    }

    std::optional<QJsonObject> Object(const QJsonObject& object, const QString& name,
                                      const std::string& where, Presence presence) const {
        const auto value = Member(object, name, where, presence);
        if (!value) {
            return std::nullopt;
        }
        if (!value->isObject()) {
            WrongType(where, name, "an object", *value);
        }
        return value->toObject();
    }

    static std::string Path(const std::string& where, const QString& name) {
        return where.empty() ? Util::QStringToUtf8(name) : where + "." + Util::QStringToUtf8(name);
    }

private:
    [[noreturn]] void WrongType(const std::string& where, const QString& name, const char* expected,
                                const QJsonValue& found) const {
        Fail("the member \"" + Path(where, name) + "\" must be " + expected + ", found " +
             DescribeJson(found));
    }

    std::string m_source;
};

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

Override ReadOverride(const Reader& reader, const QJsonObject& object, const std::string& where) {
    reader.CheckKnown(object,
                      {kOrganizationName, kApplicationName, kProductName, kUserAgent, kPartnerName,
                       kThankYouPageMode, kEmailCollection},
                      where);
    Override result;
    result.organizationName = reader.Name(object, kOrganizationName, where, Presence::Optional);
    result.applicationName = reader.Name(object, kApplicationName, where, Presence::Optional);
    result.productName = reader.Name(object, kProductName, where, Presence::Optional);
    result.partnerName = reader.String(object, kPartnerName, where, Presence::Optional);
    result.thankYouPageMode = reader.String(object, kThankYouPageMode, where, Presence::Optional);
    result.emailCollection = reader.Bool(object, kEmailCollection, where);
    if (const auto agent = reader.Object(object, kUserAgent, where, Presence::Optional)) {
        const std::string agentPath = Reader::Path(where, kUserAgent);
        reader.CheckKnown(*agent, {kUserAgentProduct, kUserAgentText}, agentPath);
        result.userAgentProduct =
            reader.String(*agent, kUserAgentProduct, agentPath, Presence::Optional);
        result.userAgentText = reader.String(*agent, kUserAgentText, agentPath, Presence::Optional);
    }
    return result;
}

}  // namespace

struct CustomizationManager::Impl {
    Values Resolve(const std::string& locale) const {
        Values values = base;
        auto it = overrides.find(locale);
        if (it == overrides.end()) {
            const auto underscore = locale.find('_');
            if (underscore != std::string::npos) {
                it = overrides.find(locale.substr(0, underscore));
            }
        }
        if (it != overrides.end()) {
            const Override& o = it->second;
            Apply(o.organizationName, values.organizationName);
            Apply(o.applicationName, values.applicationName);
            Apply(o.productName, values.productName);
            Apply(o.partnerName, values.partnerName);
            Apply(o.thankYouPageMode, values.thankYouPageMode);
            Apply(o.userAgentProduct, values.userAgent.product);
            Apply(o.userAgentText, values.userAgent.userAgent);
            Apply(o.emailCollection, values.emailCollection);
        }
        return values;
    }

    Values base;
    Quorvel::Core::Version version;
    std::map<std::string, Override> overrides;

    mutable std::mutex mutex;
    Values current;
    std::string locale;
};

std::shared_ptr<CustomizationManager> CustomizationManager::FromFile(const QString& path) {
    QString problem;
    const QByteArray json = Internal::ReadFileBytes(path, problem);
    if (!problem.isEmpty()) {
        Reader(Util::QStringToUtf8(QDir::toNativeSeparators(path)))
            .Fail(Util::QStringToUtf8(problem));
    }
    return FromJson(json, path);
}

std::shared_ptr<CustomizationManager> CustomizationManager::FromFile(const Quorvel::ioPath& path) {
    return FromFile(Util::Utf8ToQString(path.utf8string()));
}

std::shared_ptr<CustomizationManager> CustomizationManager::FromJson(const QByteArray& json,
                                                                     const QString& source) {
    const Reader reader(Util::QStringToUtf8(QDir::toNativeSeparators(source)));
    const QJsonObject root = reader.Parse(json);
    reader.CheckKnown(root,
                      {kOrganizationName, kApplicationName, kProductName, kProductVersion,
                       kUserAgent, kPartnerName, kThankYouPageMode, kEmailCollection, kLocales},
                      std::string());

    auto impl = std::make_unique<Impl>();
    Values& base = impl->base;
    const std::string top;
    base.organizationName = *reader.Name(root, kOrganizationName, top, Presence::Required);
    base.applicationName = *reader.Name(root, kApplicationName, top, Presence::Required);
    base.productName = *reader.Name(root, kProductName, top, Presence::Required);

    const std::string versionText = *reader.String(root, kProductVersion, top, Presence::Required);
    try {
        impl->version = Quorvel::Core::ParseVersion(versionText);
    } catch (const std::invalid_argument& e) {
        reader.Fail("the member \"productVersion\" is wrong: " + std::string(e.what()));
    }

    const QJsonObject agent = *reader.Object(root, kUserAgent, top, Presence::Required);
    reader.CheckKnown(agent, {kUserAgentProduct, kUserAgentText}, "userAgent");
    base.userAgent.product =
        *reader.String(agent, kUserAgentProduct, "userAgent", Presence::Required);
    base.userAgent.userAgent =
        *reader.String(agent, kUserAgentText, "userAgent", Presence::Required);

    base.partnerName = reader.String(root, kPartnerName, top, Presence::Optional).value_or("");
    base.thankYouPageMode =
        reader.String(root, kThankYouPageMode, top, Presence::Optional).value_or("");
    base.emailCollection = reader.Bool(root, kEmailCollection, top).value_or(false);

    if (const auto locales = reader.Object(root, kLocales, top, Presence::Optional)) {
        for (auto it = locales->begin(); it != locales->end(); ++it) {
            const std::string where = Reader::Path("locales", it.key());
            if (it.key().isEmpty()) {
                reader.Fail("a locale name in \"locales\" is empty");
            }
            if (!it.value().isObject()) {
                reader.Fail("the member \"" + where + "\" must be an object, found " +
                            DescribeJson(it.value()));
            }
            impl->overrides[Util::QStringToUtf8(it.key())] =
                ReadOverride(reader, it.value().toObject(), where);
        }
    }

    impl->current = impl->base;
    return std::shared_ptr<CustomizationManager>(new CustomizationManager(std::move(impl)));
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

Quorvel::Core::Version CustomizationManager::GetProductVersion() const { return m_impl->version; }

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
