#include <Quorvel/App/Application/LookAndFeel/UnitedStyleSheet.h>

#include <Quorvel/App/Application/LookAndFeel/FontPlaceholders.h>
#include <Quorvel/App/Application/LookAndFeel/PlaceholderReplacement.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeResources.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Util/TextConversion.h>

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstring>

namespace Quorvel::App::LookAndFeel {

QString BuildUnitedStyleSheet(const ILookAndFeelManager::ThemeDescription& description,
                              const QString& locale, ReportedProblems& problems,
                              const PrereadThemeFiles* preread, bool* relative) {
    FontPlaceholders placeholders;
    const QFont desktopFont = QGuiApplication::font();
    for (const std::string& path : description.fontConfigs) {
        ReadFontPlaceholders(Util::Utf8ToQString(path), locale, placeholders, problems, desktopFont,
                             preread, relative);
    }

    // The theme's resources are registered already, so manifests may name resource paths.
    for (const std::string& path : description.fontManifests) {
        ThemeResources::RegisterFonts(Util::Utf8ToQString(path), problems, preread);
    }

    QString sheet;
    for (const std::string& path : description.styleSheets) {
        QByteArray bytes = ReadThemeFile(Util::Utf8ToQString(path), Reading::Limits::kStyleSheet,
                                         problems, preread);
        // As a file opened in text mode reads: without carriage returns. Looked for first,
        // since removing searches as for a word and most sheets have none.
        if (std::memchr(bytes.constData(), '\r', static_cast<size_t>(bytes.size()))) {
            bytes.replace('\r', QByteArray());
        }
        sheet += QString::fromUtf8(bytes);
        sheet += QLatin1Char('\n');
    }

    if (const QString stopped =
            ReplacePlaceholders(sheet, placeholders, Reading::Limits::kStyleSheet);
        !stopped.isNull()) {
        QStringList files;
        for (const std::string& path : description.fontConfigs) {
            files << QDir::toNativeSeparators(Util::Utf8ToQString(path));
        }
        problems.Warn(files.join(", ") + ": the placeholder " + stopped +
                      " would make the style sheet larger than " +
                      QString::number(Reading::Limits::kStyleSheet) +
                      " characters; it and the placeholders after it stay as they are");
    }
    return sheet;
}

}  // namespace Quorvel::App::LookAndFeel
