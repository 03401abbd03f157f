#pragma once

// Private to the services library.

#include "internal/SettingsBackend.h"

#include <QSettings>

#include <memory>

namespace Quorvel::App::Internal {

// Settings in the registry key `key` through QSettings' native format (Windows). Values keep
// their type there; they are read back as text like those of an INI file, so a value means
// the same before and after a restart. A key that cannot be written is logged once.
class RegistrySettings : public SettingsBackend {
public:
    explicit RegistrySettings(const QString& key);

    std::optional<QString> Text(const QString& key) const override;
    bool Contains(const QString& key) const override;
    void Write(const QString& key, const QVariant& value) override;
    void Remove(const QString& key) override;
    QString Location() const override;
    bool IsPersistent() const override;

private:
    void Flush();

    std::unique_ptr<QSettings> m_settings;
    bool m_reported = false;
    bool m_persistent = true;
};

}  // namespace Quorvel::App::Internal
