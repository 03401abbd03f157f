#include <Quorvel/App/Application/LookAndFeel/FontPlaceholders.h>

#include <Quorvel/App/Application/LookAndFeel/RelativeFontSize.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/Reading/JsonReader.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Util/BuildInfo.h>

#include <QJsonObject>
#include <QJsonValue>
#include <QVariant>

#include <optional>

namespace Quorvel::App::LookAndFeel {

void ReadFontPlaceholders(const QString& path, const QString& locale,
                          FontPlaceholders& placeholders, ReportedProblems& problems,
                          const QFont& desktopFont, const PrereadThemeFiles* preread,
                          bool* relative) {
    const QByteArray json = ReadThemeFile(path, Reading::Limits::kDataFile, problems, preread);
    if (json.isEmpty()) {
        return;
    }
    std::optional<Reading::JsonReader> reader;
    try {
        reader = Reading::JsonReader::FromJson(json, path);
    } catch (const Reading::DataFileError& error) {
        problems.Warn(QString::fromUtf8(error.what()) + "; its placeholders are not used");
        return;
    }
    const auto objectAt = [&](const QJsonValue& value, const QString& member) {
        try {
            return reader->AsObject(value, member);
        } catch (const Reading::DataFileError& error) {
            problems.Warn(QString::fromUtf8(error.what()) + "; it is skipped");
            return QJsonObject();
        }
    };
    const QJsonObject& document = reader->Root();
    const QString blocks[] = {QStringLiteral("all_platforms"),
                              QString::fromLatin1(Util::PlatformToken())};
    const QString languages[] = {QStringLiteral("all_languages"), locale};
    for (const QString& blockName : blocks) {
        if (!document.contains(blockName)) {
            continue;
        }
        const QJsonObject block = objectAt(document.value(blockName), blockName);
        for (const QString& language : languages) {
            if (!block.contains(language)) {
                continue;
            }
            const QJsonObject fonts =
                objectAt(block.value(language), Reading::JsonReader::Path(blockName, language));
            for (const QString& name : fonts.keys()) {  // keys() is sorted
                const QString value = fonts.value(name).toVariant().toString();
                const RelativeFontSize size = fonts.value(name).isString()
                                                  ? ResolveRelativeFontSize(value, desktopFont)
                                                  : RelativeFontSize();
                if (!size.relative) {
                    placeholders[QLatin1Char('@') + name] = value;
                } else if (size.size.isEmpty()) {
                    problems.Warn(reader->Source() + ": the member \"" +
                                  Reading::JsonReader::Path(
                                      Reading::JsonReader::Path(blockName, language), name) +
                                  "\" (\"" + value + "\") " + size.problem + "; it is not used");
                } else {
                    placeholders[QLatin1Char('@') + name] = size.size;
                    if (relative) {
                        *relative = true;
                    }
                }
            }
        }
    }
}

}  // namespace Quorvel::App::LookAndFeel
