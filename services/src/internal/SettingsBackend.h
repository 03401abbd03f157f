#pragma once

// Private to the services library.

#include <QString>
#include <QVariant>

#include <optional>

namespace Quorvel::App::Internal {

// Where a settings store keeps its values: an INI file or the Windows registry. Keys are
// "/"-separated and never name the root. Not locked: the store serializes the calls.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;

    // A value as text; nullopt without one.
    virtual std::optional<QString> Text(const QString& key) const = 0;
    virtual bool Contains(const QString& key) const = 0;
    // `value` is a bool, an int or a string.
    virtual void Write(const QString& key, const QVariant& value) = 0;
    // The key and everything under it.
    virtual void Remove(const QString& key) = 0;

    // The file, or the registry path.
    virtual QString Location() const = 0;
    // False once a change could not be kept.
    virtual bool IsPersistent() const = 0;
};

}  // namespace Quorvel::App::Internal
