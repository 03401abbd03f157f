#include "internal/RegistrySettings.h"

#include <Quorvel/Reading/LogText.h>

#include <QStringList>

#include <glog/logging.h>

namespace Quorvel::App::Internal {

RegistrySettings::RegistrySettings(const QString& key)
    : m_settings(std::make_unique<QSettings>(key, QSettings::NativeFormat)) {
    m_settings->setFallbacksEnabled(false);
}

std::optional<QString> RegistrySettings::Text(const QString& key) const {
    const QVariant value = m_settings->value(key);
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.userType() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.canConvert<QString>() ? std::optional<QString>(value.toString()) : std::nullopt;
}

bool RegistrySettings::Contains(const QString& key) const { return m_settings->contains(key); }

void RegistrySettings::Write(const QString& key, const QVariant& value) {
    m_settings->setValue(key, value);
    Flush();
}

void RegistrySettings::Remove(const QString& key) {
    m_settings->remove(key);
    Flush();
}

QString RegistrySettings::Location() const { return m_settings->fileName(); }

bool RegistrySettings::IsPersistent() const { return m_persistent; }

// QSettings keeps changes it could not store in memory, so a failed flush loses nothing for
// this session.
void RegistrySettings::Flush() {
    m_settings->sync();
    if (m_settings->status() == QSettings::AccessError) {
        m_persistent = false;
        if (!m_reported) {
            m_reported = true;
            LOG(ERROR) << "The settings store [" << Reading::LogText(m_settings->fileName())
                       << "] cannot be written; changes are kept for this session only";
        }
    }
}

}  // namespace Quorvel::App::Internal
