#include <Quorvel/App/SettingsStore.h>

#include <Quorvel/Util/TextConversion.h>

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTextCodec>
#include <QVariant>

#include <glog/logging.h>

#include <limits>
#include <mutex>
#include <optional>

namespace Quorvel::App {

namespace {

// INI files hand every value back as text, while values written in this session (and
// registry numbers) keep their type. Reading everything through its text keeps a value's
// meaning the same before and after a restart.
std::optional<QString> TextOf(const QVariant& value) {
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.userType() == QMetaType::QStringList) {
        // A hand-edited INI line "a, b" comes back as a list.
        return value.toStringList().join(QStringLiteral(", "));
    }
    if (!value.canConvert<QString>()) {
        return std::nullopt;
    }
    return value.toString();
}

std::optional<qlonglong> IntegerOf(const QVariant& value) {
    const auto text = TextOf(value);
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = text->trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

std::optional<bool> BoolOf(const QVariant& value) {
    const auto text = TextOf(value);
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
    if (const auto number = IntegerOf(value)) {
        return *number != 0;
    }
    return std::nullopt;
}

QString JoinNonEmpty(const QStringList& parts, const QString& separator) {
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty()) {
            kept << part;
        }
    }
    return kept.join(separator);
}

// UTF-8 for INI files that Qt 5 can write losslessly. Its INI writer passes the codec one
// UTF-16 unit at a time, so the stock UTF-8 codec drops both halves of every character
// beyond U+FFFF. Here a lone surrogate is written as its own three-byte sequence (as CESU-8
// does) and read back as that unit, which rebuilds the pair; ordinary UTF-8, four-byte
// sequences included, reads as usual.
class SettingsTextCodec : public QTextCodec {
public:
    QByteArray name() const override { return QByteArrayLiteral("Quorvel-Settings-UTF-8"); }
    int mibEnum() const override { return -106; }

protected:
    QString convertToUnicode(const char* in, int length, ConverterState*) const override {
        const auto* bytes = reinterpret_cast<const unsigned char*>(in);
        QString text;
        text.reserve(length);
        int i = 0;
        while (i < length) {
            const unsigned char lead = bytes[i];
            int size = 0;
            char32_t code = 0;
            if (lead < 0x80) {
                size = 1;
                code = lead;
            } else if (lead >= 0xC2 && lead <= 0xDF) {
                size = 2;
                code = lead & 0x1F;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                size = 3;
                code = lead & 0x0F;
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                size = 4;
                code = lead & 0x07;
            }
            bool valid = size > 0 && i + size <= length;
            for (int k = 1; valid && k < size; ++k) {
                valid = (bytes[i + k] & 0xC0) == 0x80;
                code = (code << 6) | (bytes[i + k] & 0x3F);
            }
            valid = valid && !(size == 3 && code < 0x800) &&
                    !(size == 4 && (code < 0x10000 || code > 0x10FFFF));
            if (!valid) {
                text += QChar(QChar::ReplacementCharacter);
                ++i;
                continue;
            }
            if (code > 0xFFFF) {
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
            } else {
                text += QChar(static_cast<char16_t>(code));
            }
            i += size;
        }
        return text;
    }

    QByteArray convertFromUnicode(const QChar* in, int length, ConverterState*) const override {
        QByteArray bytes;
        bytes.reserve(length * 3);
        for (int i = 0; i < length; ++i) {
            char32_t code = in[i].unicode();
            if (in[i].isHighSurrogate() && i + 1 < length && in[i + 1].isLowSurrogate()) {
                code = QChar::surrogateToUcs4(in[i], in[i + 1]);
                ++i;
            }
            if (code < 0x80) {
                bytes += static_cast<char>(code);
            } else if (code < 0x800) {
                bytes += static_cast<char>(0xC0 | (code >> 6));
                bytes += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                bytes += static_cast<char>(0xE0 | (code >> 12));
                bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                bytes += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                bytes += static_cast<char>(0xF0 | (code >> 18));
                bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                bytes += static_cast<char>(0x80 | (code & 0x3F));
            }
        }
        return bytes;
    }
};

QTextCodec* SettingsCodec() {
    // Qt keeps every codec it is given and deletes them when the process ends.
    static QTextCodec* codec = new SettingsTextCodec;
    return codec;
}

}  // namespace

struct SettingsStore::Impl {
    Impl(const QString& scope, const QString& filePath)
        : scope(scope), settings(MakeSettings(scope, filePath)) {
        settings->setFallbacksEnabled(false);
        if (settings->format() == QSettings::IniFormat) {
            settings->setIniCodec(SettingsCodec());
        }
        // The file was read when QSettings was made; a file that is there but cannot be
        // read or parsed is worth one record, reading on with what could be had.
        if (settings->status() == QSettings::AccessError) {
            accessReported = true;
            LOG(ERROR) << "The settings store [" << Util::QStringToUtf8(settings->fileName())
                       << "] cannot be read; it starts empty and may not keep changes";
        } else if (settings->status() == QSettings::FormatError) {
            LOG(ERROR) << "The settings file [" << Util::QStringToUtf8(settings->fileName())
                       << "] is not a valid INI file; only what could be parsed is used";
        }
    }

    static std::unique_ptr<QSettings> MakeSettings(const QString& scope, const QString& filePath) {
        if (!filePath.isEmpty()) {
            return std::make_unique<QSettings>(filePath, QSettings::IniFormat);
        }
#ifdef _WIN32
        const QString key = JoinNonEmpty(
            {QStringLiteral("HKEY_CURRENT_USER\\Software"), QCoreApplication::organizationName(),
             QCoreApplication::applicationName(), scope},
            QStringLiteral("\\"));
        return std::make_unique<QSettings>(key, QSettings::NativeFormat);
#else
        return std::make_unique<QSettings>(DefaultFilePath(scope), QSettings::IniFormat);
#endif
    }

    QVariant Read(const std::string& key) const {
        std::lock_guard<std::mutex> lock(mutex);
        return settings->value(Util::Utf8ToQString(key));
    }

    void Write(const std::string& key, const QVariant& value) {
        std::lock_guard<std::mutex> lock(mutex);
        settings->setValue(Util::Utf8ToQString(key), value);
        Flush();
    }

    // Called with the mutex held. QSettings keeps changes it could not store in memory,
    // so a failed flush loses nothing for this session.
    void Flush() {
        settings->sync();
        const QSettings::Status status = settings->status();
        // A parse error at start-up sticks in status() and hides later access errors.
        const bool failed = status == QSettings::AccessError ||
                            (status == QSettings::FormatError && !settings->isWritable());
        if (failed) {
            persistent = false;
            if (!accessReported) {
                accessReported = true;
                LOG(ERROR) << "The settings store [" << Util::QStringToUtf8(settings->fileName())
                           << "] cannot be written; changes are kept for this session only";
            }
        }
    }

    const QString scope;
    mutable std::mutex mutex;
    std::unique_ptr<QSettings> settings;
    bool accessReported = false;
    bool persistent = true;
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
    const auto text = TextOf(m_impl->Read(key));
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
    return m_impl->settings->contains(Util::Utf8ToQString(key));
}

void SettingsStore::Remove(const std::string& key) {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    // QSettings::remove("") would clear the whole store; an empty key names nothing.
    if (key.empty()) {
        return;
    }
    m_impl->settings->remove(Util::Utf8ToQString(key));
    m_impl->Flush();
}

const QString& SettingsStore::GetScope() const { return m_impl->scope; }

QString SettingsStore::GetLocation() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->settings->fileName();
}

bool SettingsStore::IsPersistent() const {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->persistent;
}

QString SettingsStore::DefaultFilePath(const QString& scope) {
    return JoinNonEmpty({QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                         QCoreApplication::organizationName(), QCoreApplication::applicationName(),
                         scope + QStringLiteral(".ini")},
                        QStringLiteral("/"));
}

}  // namespace Quorvel::App
