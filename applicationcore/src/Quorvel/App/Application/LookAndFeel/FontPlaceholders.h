#pragma once

// Private to the application core; not installed.

#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>

#include <QFont>
#include <QString>

#include <map>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// "@placeholder" → its text, in ascending order of the placeholder, the order in which they
// are replaced: "@font" goes before "@fontBold".
using FontPlaceholders = std::map<QString, QString>;

// Adds the placeholders of one fonts.json for `locale` to `placeholders`:
//   {"all_platforms": {"all_languages": {...}, "de_DE": {...}}, "<platform>": {...}}
// A later entry wins: the platform block over "all_platforms", the locale over
// "all_languages", and a later file over an earlier one. A file or member that is not what
// it should be contributes nothing and is reported. A size relative to the desktop's font
// ("1.2em") is resolved from `desktopFont`, and `relative` (when given) is set if there was one.
void ReadFontPlaceholders(const QString& path, const QString& locale,
                          FontPlaceholders& placeholders, ReportedProblems& problems,
                          const QFont& desktopFont, const PrereadThemeFiles* preread = nullptr,
                          bool* relative = nullptr);

}  // namespace Quorvel::App::LookAndFeel
