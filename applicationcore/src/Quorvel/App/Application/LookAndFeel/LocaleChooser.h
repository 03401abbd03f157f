#pragma once

// Private to the application core; not installed.

#include <QStringList>

#include <list>
#include <string>

namespace Quorvel::App::LookAndFeel {

// "No preference", as a request and as a product's default locale.
extern const char* const kUnknownLocale;

// Whether `requested` can be used as it is: an installed locale, neither empty nor "unknown".
bool IsInstalledLocale(const std::string& requested, const std::list<std::string>& installed);

// The installed locale that the user's interface languages (BCP 47 names, in order of
// preference) point to: the first language that an installed locale begins with ("pt*" counts
// as "pt_BR", "zh_CN*" as "zh_CN", other "zh*" as "zh_TW"), the first such locale in list
// order. Else `defaultLocale`, or "en_US" when that is empty or "unknown", whether installed
// or not.
std::string ChooseLocale(const std::list<std::string>& installed,
                         const QStringList& systemLanguages, const std::string& defaultLocale);

}  // namespace Quorvel::App::LookAndFeel
