#include <Quorvel/App/SettingsStore.h>

#include "internal/IniDocument.h"
#include "internal/IniSettingsFile.h"
#include "internal/RegistrySettings.h"

#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Reading/PathComponent.h>
#include <Quorvel/Util/TextConversion.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>

#include <glog/logging.h>

#include <limits>
#include <mutex>
#include <optional>

namespace Quorvel::App {

namespace {

std::optional<qlonglong> IntegerOf(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = text->trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

std::optional<bool> BoolOf(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    const QString word = text->trimmed();
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    if (const auto number = IntegerOf(text)) {
        return *number != 0;
    }
    return std::nullopt;
}

}  // namespace

struct SettingsStore::Impl {
    Impl(const QString& scope, const QString& filePath)
        : scope(scope), backend(MakeBackend(scope, filePath)) {}

    static std::unique_ptr<Internal::SettingsBackend> MakeBackend(const QString& scope,
                                                                  const QString& filePath) {
        if (!filePath.isEmpty()) {
            return std::make_unique<Internal::IniSettingsFile>(filePath);
        }
#ifdef _WIN32
        // The names may come from the product's data files; each stays one key level.
        QString key = Reading::ApplicationFolder(QStringLiteral("HKEY_CURRENT_USER\\Software"));
        key.replace(QLatin1Char('/'), QLatin1Char('\\'));
        return std::make_unique<Internal::RegistrySettings>(key + QLatin1Char('\\') + scope);
#else
        return std::make_unique<Internal::IniSettingsFile>(DefaultFilePath(scope));
#endif
    }

    // The key as the backend takes it; empty, after one record, for a key that names the
    // whole store, which no single write or removal may touch.
    QString KeyOf(const std::string& key, const char* action) const {
        const QString name = Internal::IniDocument::NormalizedKey(Util::Utf8ToQString(key));
        LOG_IF(ERROR, name.isEmpty())
            << "The settings store [" << Reading::LogText(backend->Location()) << "] refuses to "
            << action << " the key \"" << Reading::LogText(key) << "\": it names the whole store";
        return name;
    }

    std::optional<QString> Read(const std::string& key) const {
        std::lock_guard<std::mutex> lock(mutex);
        return backend->Text(Util::Utf8ToQString(key));
    }

    void Write(const std::string& key, const QVariant& value) {
        std::lock_guard<std::mutex> lock(mutex);
        const QString name = KeyOf(key, "write");
        if (!name.isEmpty()) {
            backend->Write(name, value);
        }
    }

    const QString scope;
    mutable std::mutex mutex;
    std::unique_ptr<Internal::SettingsBackend> backend;
};

SettingsStore::SettingsStore(const QString& scope, const QString& filePath)
    : m_impl(std::make_unique<Impl>(scope, filePath)) {}

SettingsStore::~SettingsStore() = default;

void SettingsStore::SetBool(const std::string& key, bool value) { m_impl->Write(key, value); }

void SettingsStore::SetInt(const std::string& key, int value) { m_impl->Write(key, value); }

void SettingsStore::SetString(const std::string& key, const std::string& value) {
    m_impl->Write(key, Util::Utf8ToQString(value));
}

bool SettingsStore::GetBool(const std::string& key, bool defaultValue) const {
    return BoolOf(m_impl->Read(key)).value_or(defaultValue);
}

int SettingsStore::GetInt(const std::string& key, int defaultValue) const {
    const auto number = IntegerOf(m_impl->Read(key));
    if (!number || *number < std::numeric_limits<int>::min() ||
        *number > std::numeric_limits<int>::max()) {
        return defaultValue;
    }
    return static_cast<int>(*number);
}

std::string SettingsStore::GetString(const std::string& key,
                                     const std::string& defaultValue) const {
    const auto text = m_impl->Read(key);
    return text ? Util::QStringToUtf8(*text) : defaultValue;
}

uint32_t SettingsStore::GetUInt(const std::string& key, uint32_t defaultValue) const {
    const auto number = IntegerOf(m_impl->Read(key));
    if (!number || *number < 0 || *number > std::numeric_limits<uint32_t>::max()) {
        return defaultValue;
    }
    return static_cast<uint32_t>(*number);
}

bool SettingsStore::Contains(const std::string& key) const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->backend->Contains(Util::Utf8ToQString(key));
}

void SettingsStore::Remove(const std::string& key) {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    const QString name = m_impl->KeyOf(key, "remove");
    if (!name.isEmpty()) {
        m_impl->backend->Remove(name);
    }
}

const QString& SettingsStore::GetScope() const { return m_impl->scope; }

QString SettingsStore::GetLocation() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->backend->Location();
}

bool SettingsStore::IsPersistent() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->backend->IsPersistent();
}

QString SettingsStore::DefaultFilePath(const QString& scope) {
    // The names may come from the product's data files; they stay one folder level each.
    return Reading::ApplicationFolder(
               QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           QLatin1Char('/') + scope + QStringLiteral(".ini");
}

}  // namespace Quorvel::App
