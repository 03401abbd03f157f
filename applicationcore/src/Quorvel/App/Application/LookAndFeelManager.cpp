#include <Quorvel/App/Application/LookAndFeelManager.h>

#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/Core/PropertySerializer.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/JsonReader.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/ResourceFile.h>
#include <Quorvel/Reading/ShownText.h>
#include <Quorvel/Util/FontDatabase.h>
#include <Quorvel/Util/TextConversion.h>

#include "PlatformToken.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <QPixmapCache>
#include <QResource>
#include <QTextStream>
#include <QTranslator>
#include <QVariant>

#include <glog/logging.h>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace Quorvel::App {

namespace {

const char* const kUnknownLocale = "unknown";
const char* const kLastResortLocale = "en_US";

QString ToQt(const Quorvel::ioPath& path) { return Util::Utf8ToQString(path.utf8string()); }

// Entries of one kind in the listing's default order: by name, ignoring case.
QFileInfoList ListDirectory(const QString& path, QDir::Filters kind,
                            const QStringList& nameFilters = {}) {
    return QDir(path).entryInfoList(nameFilters, kind | QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase);
}

using Reading::InputFile;
namespace Limits = Reading::Limits;

// A theme's files are read again at every switch; each problem is worth one record.
class ReportedProblems {
public:
    void Warn(const QString& message) {
        if (m_reported.insert(message).second) {
            LOG(WARNING) << message.toStdString();
        }
    }

private:
    std::set<QString> m_reported;
};

// The bytes of a theme file; empty when it is missing (which is no error) or refused.
QByteArray ReadThemeFile(const QString& path, qint64 limit, ReportedProblems& problems) {
    const InputFile file = InputFile::Read(path, limit);
    if (file.status() == InputFile::Status::Refused) {
        problems.Warn(file.Describe() + "; it is not used");
    }
    return file.Bytes();
}

// Placeholders replaced in ascending order of their text, so "@font" goes before "@fontBold".
using ReplacementTable = std::map<QString, QString>;

void ReadFontConfig(const QString& path, const QString& locale, ReplacementTable& table,
                    ReportedProblems& problems) {
    const QByteArray json = ReadThemeFile(path, Limits::kDataFile, problems);
    if (json.isEmpty()) {
        return;
    }
    // A file or member that is not what it should be contributes nothing.
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
                              QString::fromLatin1(Platform::PlatformToken())};
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
                table[QLatin1Char('@') + name] = fonts.value(name).toVariant().toString();
            }
        }
    }
}

void RegisterManifestFonts(const QString& path, ReportedProblems& problems) {
    QByteArray text = ReadThemeFile(path, Limits::kDataFile, problems);
    QTextStream stream(&text, QIODevice::ReadOnly);
    while (!stream.atEnd()) {
        QString word;
        stream >> word;
        if (!word.isEmpty()) {  // trailing white space reads as one empty word
            Util::FontDatabase::addApplicationFont(word);
        }
    }
}

QString ReadStyleSheet(const QString& path, ReportedProblems& problems) {
    // As a file opened in text mode reads: without carriage returns.
    return QString::fromUtf8(
        ReadThemeFile(path, Limits::kStyleSheet, problems).replace('\r', QByteArray()));
}

// The theme's titles, one child per locale; a title is shown in menus, so it is bounded.
std::optional<Quorvel::Core::Property> ReadTitles(const QString& path, ReportedProblems& problems) {
    const InputFile file = InputFile::Read(path, Limits::kDataFile);
    if (!file.IsRead()) {
        problems.Warn(file.Describe() + "; the theme has no titles");
        return std::nullopt;
    }
    Quorvel::Core::Property titles;
    try {
        Quorvel::Core::PropertySerializer::Deserialize(
            titles, Quorvel::Core::DataInputString::Create(file.Bytes().toStdString()), true);
    } catch (const std::runtime_error& error) {
        // The theme stays usable; only its localized names are missing.
        problems.Warn(QDir::toNativeSeparators(path) + ": " + QString::fromUtf8(error.what()) +
                      "; the theme has no titles");
        return std::nullopt;
    }
    Quorvel::Core::Property bounded;
    for (const Quorvel::Core::Property& title : titles.GetChildren()) {
        bounded.AddChild(Quorvel::Core::Property(
            title.GetName(),
            Util::QStringToUtf8(Reading::ShownText(Util::Utf8ToQString(title.GetValue()), path,
                                                   Util::Utf8ToQString(title.GetName())))));
    }
    return bounded;
}

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

struct LookAndFeelManager::Impl {
    Impl(const Quorvel::ioPath& rootPath, const std::list<std::string>& filter)
        : root(rootPath), resourceFilter(filter) {}

    Quorvel::ioPath root;
    std::list<std::string> resourceFilter;
    std::list<std::string> locales;
    std::string currentLocale;
    std::list<std::string> themes;
    std::string currentTheme;
    std::map<std::string, Quorvel::Core::Property> themeTitles;
    QString unitedStyleSheet;
    std::list<std::shared_ptr<QTranslator>> translators;
    Quorvel::Core::EventHandlerList<ILookAndFeelObserver> observers;
    std::shared_ptr<IQssPreprocessor> preprocessor;
    ReportedProblems problems;

    Quorvel::ioPath ThemesDir() const { return root / "resources" / "themes"; }
    Quorvel::ioPath LocalesDir() const { return root / "resources" / "locales"; }
};

LookAndFeelManager::LookAndFeelManager(const Quorvel::ioPath& root,
                                       const std::string& titleFileName,
                                       const std::list<std::string>& resourceFilter)
    : m_impl(std::make_unique<Impl>(root, resourceFilter)) {
    auto titlePath = [&](const QString& theme) {
        return ToQt(m_impl->ThemesDir() / Util::QStringToUtf8(theme) / titleFileName);
    };

    for (const QFileInfo& entry : ListDirectory(ToQt(root / "resources"), QDir::Dirs)) {
        const QString kind = entry.baseName();
        if (kind == QLatin1String("locales")) {
            for (const QFileInfo& locale : ListDirectory(entry.absoluteFilePath(), QDir::Dirs)) {
                m_impl->locales.push_back(Util::QStringToUtf8(locale.baseName()));
            }
        }
        if (kind == QLatin1String("themes")) {
            // The title is looked up by base name, so "dark.old" counts as a second "dark".
            for (const QFileInfo& theme : ListDirectory(entry.absoluteFilePath(), QDir::Dirs)) {
                // Only whether it opens: a FIFO in its place must not hold up the start.
                const InputFile title = InputFile::Check(titlePath(theme.baseName()),
                                                         std::numeric_limits<qint64>::max());
                if (title.IsRead()) {
                    m_impl->themes.push_back(Util::QStringToUtf8(theme.baseName()));
                } else {
                    m_impl->problems.Warn(title.Describe() + "; [" +
                                          QDir::toNativeSeparators(theme.absoluteFilePath()) +
                                          "] is not listed as a theme");
                }
            }
        }
    }

    for (const std::string& theme : m_impl->themes) {
        if (auto titles = ReadTitles(titlePath(Util::Utf8ToQString(theme)), m_impl->problems)) {
            m_impl->themeTitles[theme] = std::move(*titles);
        }
    }
}

LookAndFeelManager::~LookAndFeelManager() = default;

void LookAndFeelManager::Initialize(const std::string& locale, const std::string& theme) {
    // The theme's font placeholders depend on the locale, so the locale goes first.
    SetLocale(locale);
    SetTheme(theme);
}

const std::string& LookAndFeelManager::GetCurrentLocale() const { return m_impl->currentLocale; }

const std::list<std::string>& LookAndFeelManager::GetLocales() const { return m_impl->locales; }

const std::list<std::string>& LookAndFeelManager::GetThemes() const { return m_impl->themes; }

const std::string& LookAndFeelManager::GetCurrentTheme() const { return m_impl->currentTheme; }

std::string LookAndFeelManager::GetDefaultLocale() const { return kUnknownLocale; }

QStringList LookAndFeelManager::GetSystemLanguages() const { return QLocale().uiLanguages(); }

std::string LookAndFeelManager::ValidateLocale(const std::string& locale) const {
    const std::list<std::string>& installed = m_impl->locales;
    if (!locale.empty() && locale != kUnknownLocale &&
        std::find(installed.begin(), installed.end(), locale) != installed.end()) {
        return locale;
    }

    std::list<std::string> candidates;
    for (const QString& language : GetSystemLanguages()) {
        candidates.push_back(MapSystemLocaleName(Util::QStringToUtf8(QLocale(language).name())));
    }

    std::string fallback = GetDefaultLocale();
    if (fallback.empty() || fallback == kUnknownLocale) {
        fallback = kLastResortLocale;
    }

    for (const std::string& candidate : candidates) {
        for (const std::string& name : installed) {
            if (name.compare(0, candidate.size(), candidate) == 0) {
                return name;
            }
        }
    }
    return fallback;
}

void LookAndFeelManager::SetLocale(const std::string& locale) {
    const std::string resolved = ValidateLocale(locale);
    if (resolved == m_impl->currentLocale) {
        return;
    }
    m_impl->currentLocale = resolved;

    for (const std::shared_ptr<QTranslator>& translator : m_impl->translators) {
        QCoreApplication::removeTranslator(translator.get());
    }
    m_impl->translators.clear();

    const QString localeDir = ToQt(m_impl->LocalesDir() / resolved);
    QFileInfoList files;
    if (m_impl->resourceFilter.empty()) {
        files = ListDirectory(localeDir, QDir::Files, {QStringLiteral("*.qm")});
    } else {
        for (const std::string& name : m_impl->resourceFilter) {
            const QFileInfo file(localeDir + QLatin1Char('/') +
                                 Util::Utf8ToQString(name + "_" + resolved + ".qm"));
            if (file.exists()) {
                files.append(file);
            }
        }
    }

    // Qt asks the translator installed last first, so a later file wins.
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        const InputFile check = InputFile::Check(path, Limits::kTranslation);
        if (!check.IsRead()) {
            m_impl->problems.Warn(check.Describe() + "; it is not loaded");
            continue;
        }
        auto translator = std::make_shared<QTranslator>();
        if (translator->load(path)) {
            QCoreApplication::installTranslator(translator.get());
            m_impl->translators.push_back(std::move(translator));
        } else {
            m_impl->problems.Warn(QDir::toNativeSeparators(path) +
                                  ": Qt cannot load it as a translation (truncated or foreign)");
        }
    }

    // A copy, in case an observer changes the locale again while being told.
    const std::string current = m_impl->currentLocale;
    m_impl->observers.Notify(&ILookAndFeelObserver::OnLocaleChanged, current);
}

std::string LookAndFeelManager::GetLocalizedThemeName(const std::string& theme) const {
    const auto titles = m_impl->themeTitles.find(theme);
    if (titles != m_impl->themeTitles.end()) {
        if (const Quorvel::Core::Property* title =
                titles->second.FindChild(m_impl->currentLocale)) {
            return title->GetValue();
        }
    }
    LOG(WARNING) << "No title found for theme [" << theme << "] on language ["
                 << m_impl->currentLocale << "]!";
    return theme;
}

void LookAndFeelManager::SetTheme(const std::string& theme) {
    if (theme != m_impl->currentTheme) {
        ClearCurrentTheme();
    }
    if (theme.empty()) {
        return;
    }
    m_impl->currentTheme = theme;

    const std::string platform = Platform::PlatformToken();
    ThemeDescription description;
    for (const QFileInfo& file : GetFilteredResourceList()) {
        const QString path = file.absoluteFilePath();
        const InputFile check = InputFile::Check(path, Limits::kThemeResource);
        if (!file.isFile()) {
            m_impl->problems.Warn(check.Describe() + "; it is not used");
            continue;
        }
        // A file refused here or by Qt still lists its paths; they simply yield nothing.
        if (!check.IsRead()) {
            m_impl->problems.Warn(check.Describe() + "; it is not registered");
        } else if (const QString problem = Reading::ResourceFileProblemAt(path);
                   !problem.isEmpty()) {
            m_impl->problems.Warn(QDir::toNativeSeparators(path) + ": " + problem +
                                  "; it is not registered");
        } else if (!QResource::registerResource(path, QString())) {
            m_impl->problems.Warn(QDir::toNativeSeparators(path) +
                                  ": Qt cannot use it as a resource file (truncated or foreign)");
        }
        const std::string base = ":/" + Util::QStringToUtf8(file.baseName());
        description.styleSheets.push_back(base + "/style.qss");
        description.styleSheets.push_back(base + "/fonts_" + platform + ".qss");
        description.fontConfigs.push_back(base + "/fonts.json");
        description.fontManifests.push_back(base + "/fonts.manifest");
    }
    description.styleSheets.push_back(":/productStyle.qss");
    description.styleSheets.push_back(":/productStyle_" + platform + ".qss");

    ApplyTheme(description);

    const std::string current = m_impl->currentTheme;
    m_impl->observers.Notify(&ILookAndFeelObserver::OnThemeChanged, current);
}

QList<QFileInfo> LookAndFeelManager::GetFilteredResourceList() {
    const Quorvel::ioPath directory = m_impl->ThemesDir() / m_impl->currentTheme;
    const QString path = ToQt(directory);
    if (!QDir(path).exists()) {
        LOG(ERROR) << "The directory [" << directory.utf8string() << "] doesn't exist!";
        return {};
    }
    if (m_impl->resourceFilter.empty()) {
        return ListDirectory(path, QDir::Files, {QStringLiteral("*.rcc")});
    }
    QList<QFileInfo> files;
    for (const std::string& name : m_impl->resourceFilter) {
        const QFileInfo file(path + QLatin1Char('/') + Util::Utf8ToQString(name + ".rcc"));
        if (file.exists()) {
            files.append(file);
        }
    }
    return files;
}

void LookAndFeelManager::ClearCurrentTheme() {
    if (!m_impl->currentTheme.empty()) {
        for (const QFileInfo& file : GetFilteredResourceList()) {
            if (file.isFile()) {
                QResource::unregisterResource(file.absoluteFilePath(), QString());
            }
        }
        m_impl->currentTheme.clear();
    }
    // Images of the old theme's resources must not be served from the cache.
    QPixmapCache::clear();
}

void LookAndFeelManager::ApplyTheme(const ThemeDescription& description) {
    QString& sheet = m_impl->unitedStyleSheet;
    sheet.clear();

    const QString locale = Util::Utf8ToQString(m_impl->currentLocale);
    ReplacementTable replacements;
    for (const std::string& path : description.fontConfigs) {
        ReadFontConfig(Util::Utf8ToQString(path), locale, replacements, m_impl->problems);
    }

    // Resources of the theme are registered already, so manifests may name resource paths.
    for (const std::string& path : description.fontManifests) {
        RegisterManifestFonts(Util::Utf8ToQString(path), m_impl->problems);
    }

    for (const std::string& path : description.styleSheets) {
        sheet += ReadStyleSheet(Util::Utf8ToQString(path), m_impl->problems);
        sheet += QLatin1Char('\n');
    }

    for (const auto& [placeholder, replacement] : replacements) {
        // A value may name later placeholders, so a few hundred bytes of font configuration
        // could grow the sheet without bound: it is held to the size of one sheet file.
        const qint64 growth = replacement.size() - placeholder.size();
        if (growth > 0 && sheet.size() + growth * sheet.count(placeholder) > Limits::kStyleSheet) {
            QStringList files;
            for (const std::string& path : description.fontConfigs) {
                files << QDir::toNativeSeparators(Util::Utf8ToQString(path));
            }
            m_impl->problems.Warn(files.join(", ") + ": the placeholder " + placeholder +
                                  " would make the style sheet larger than " +
                                  QString::number(Limits::kStyleSheet) +
                                  " characters; it and the placeholders after it stay as they are");
            break;
        }
        sheet.replace(placeholder, replacement, Qt::CaseSensitive);
    }

    if (m_impl->preprocessor) {
        m_impl->preprocessor->Preprocess(sheet);
    }
}

std::string LookAndFeelManager::GetUnitedStylesheet() {
    return Util::QStringToUtf8(m_impl->unitedStyleSheet);
}

void LookAndFeelManager::RegisterObserver(ILookAndFeelObserver* observer) {
    m_impl->observers.RegisterEventHandler(observer);
}

void LookAndFeelManager::UnregisterObserver(ILookAndFeelObserver* observer) {
    m_impl->observers.UnregisterEventHandler(observer);
}

void LookAndFeelManager::SetQssPreprocessor(const std::shared_ptr<IQssPreprocessor>& preprocessor) {
    m_impl->preprocessor = preprocessor;
}

}  // namespace Quorvel::App
