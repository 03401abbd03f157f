// Writes and reads settings as text; the writing is shared by the test and settings_probe.
#pragma once

#include <Quorvel/App/ISettingsManager.h>

#include <QString>

#include <string>

namespace SettingsText {

inline std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// Types "bool", "int" and "string"; any other writes nothing.
inline void Write(Quorvel::App::ISettingsManager& store, const QString& type, const QString& key,
                  const QString& value) {
    if (type == "bool") {
        store.SetBool(Utf8(key), value == "true");
    } else if (type == "int") {
        store.SetInt(Utf8(key), value.toInt());
    } else if (type == "string") {
        store.SetString(Utf8(key), Utf8(value));
    }
}

// Types "bool", "int", "uint", "contains" and "string"; bools read as true/false.
inline QString Read(const Quorvel::App::ISettingsManager& store, const QString& type,
                    const QString& key, const QString& fallback) {
    const std::string k = Utf8(key);
    if (type == "bool" || type == "contains") {
        const bool value =
            type == "bool" ? store.GetBool(k, fallback == "true") : store.Contains(k);
        return value ? "true" : "false";
    }
    if (type == "int") {
        return QString::number(store.GetInt(k, fallback.toInt()));
    }
    if (type == "uint") {
        return QString::number(store.GetUInt(k, fallback.toUInt()));
    }
    return QString::fromStdString(store.GetString(k, Utf8(fallback)));
}

}  // namespace SettingsText
