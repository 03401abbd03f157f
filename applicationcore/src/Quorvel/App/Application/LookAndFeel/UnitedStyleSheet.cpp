#include <Quorvel/App/Application/LookAndFeel/UnitedStyleSheet.h>

#include <Quorvel/App/Application/LookAndFeel/FontPlaceholders.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeResources.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Util/TextConversion.h>

namespace Quorvel::App::LookAndFeel {

QString BuildUnitedStyleSheet(const ILookAndFeelManager::ThemeDescription& description,
                              const QString& locale, ReportedProblems& problems) {
    FontPlaceholders placeholders;
    for (const std::string& path : description.fontConfigs) {
        ReadFontPlaceholders(Util::Utf8ToQString(path), locale, placeholders, problems);
    }

    // The theme's resources are registered already, so manifests may name resource paths.
    for (const std::string& path : description.fontManifests) {
        ThemeResources::RegisterFonts(Util::Utf8ToQString(path), problems);
    }

    QString sheet;
    for (const std::string& path : description.styleSheets) {
        // As a file opened in text mode reads: without carriage returns.
        sheet += QString::fromUtf8(
            ReadThemeFile(Util::Utf8ToQString(path), Reading::Limits::kStyleSheet, problems)
                .replace('\r', QByteArray()));
        sheet += QLatin1Char('\n');
    }

    for (const auto& [placeholder, replacement] : placeholders) {
        sheet.replace(placeholder, replacement, Qt::CaseSensitive);
    }
    return sheet;
}

}  // namespace Quorvel::App::LookAndFeel
