#include <Quorvel/App/Application/LookAndFeel/LocaleChooser.h>

#include <Quorvel/Util/TextConversion.h>

#include <QLocale>

#include <algorithm>

namespace Quorvel::App::LookAndFeel {

const char* const kUnknownLocale = "unknown";

namespace {

const char* const kLastResortLocale = "en_US";

std::string MapSystemLocaleName(const std::string& name) {
    auto startsWith = [&name](const char* prefix) { return name.rfind(prefix, 0) == 0; };
    // Only one Portuguese and two Chinese variants are shipped.
    if (startsWith("pt")) {
        return "pt_BR";
    }
    if (startsWith("zh_CN")) {
        return "zh_CN";
    }
    if (startsWith("zh")) {
        return "zh_TW";
    }
    return name;
}

}  // namespace

bool IsInstalledLocale(const std::string& requested, const std::list<std::string>& installed) {
    return !requested.empty() && requested != kUnknownLocale &&
           std::find(installed.begin(), installed.end(), requested) != installed.end();
}

std::string ChooseLocale(const std::list<std::string>& installed,
                         const QStringList& systemLanguages, const std::string& defaultLocale) {
    for (const QString& language : systemLanguages) {
        const std::string candidate =
            MapSystemLocaleName(Util::QStringToUtf8(QLocale(language).name()));
        for (const std::string& name : installed) {
            if (name.compare(0, candidate.size(), candidate) == 0) {
                return name;
            }
        }
    }
    if (defaultLocale.empty() || defaultLocale == kUnknownLocale) {
        return kLastResortLocale;
    }
    return defaultLocale;
}

}  // namespace Quorvel::App::LookAndFeel
