#include <Quorvel/App/Application/LookAndFeel/ThemeResources.h>

#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/ResourceFile.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/FontDatabase.h>
#include <Quorvel/Util/TextConversion.h>

#include <QResource>
#include <QTextStream>

#include <glog/logging.h>

#include <utility>

namespace Quorvel::App::LookAndFeel {

using Reading::InputFile;

ThemeResources::ThemeResources(const Quorvel::ioPath& root, std::list<std::string> filter)
    : m_themes(root / "resources" / "themes"), m_filter(std::move(filter)) {}

QList<QFileInfo> ThemeResources::Files(const std::string& theme, ReportedProblems& problems) const {
    const Quorvel::ioPath directory = m_themes / theme;
    const QString path = ToQt(directory);
    if (!QDir(path).exists()) {
        LOG(ERROR) << "The directory [" << directory.utf8string() << "] doesn't exist!";
        return {};
    }
    QList<QFileInfo> files;
    if (m_filter.empty()) {
        files = ListDirectory(path, QDir::Files, QStringLiteral(".rcc"));
    } else {
        for (const std::string& name : m_filter) {
            const QFileInfo file(path + QLatin1Char('/') + Util::Utf8ToQString(name + ".rcc"));
            if (file.exists()) {
                files.append(file);
            }
        }
    }
    if (files.size() > kMaxFiles) {
        problems.Warn(QStringLiteral("[%1] has %2 resource files, more than the %3 a theme may "
                                     "have; the %4 after the first %3 are not used")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(files.size())
                          .arg(kMaxFiles)
                          .arg(files.size() - kMaxFiles));
        files.erase(files.begin() + kMaxFiles, files.end());
    }
    return files;
}

ILookAndFeelManager::ThemeDescription ThemeResources::Register(const QList<QFileInfo>& files,
                                                               PrereadThemeFiles& preread,
                                                               ReportedProblems& problems) {
    const std::string platform = Util::PlatformToken();
    ILookAndFeelManager::ThemeDescription description;
    QStringList registered;
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        const InputFile check = InputFile::Check(path, Reading::Limits::kThemeResource);
        if (!file.isFile()) {
            problems.Warn(check.Describe() + "; it is not used");
            continue;
        }
        if (!check.IsRead()) {
            problems.Warn(check.Describe() + "; it is not registered");
        } else if (const QString problem = Reading::ResourceFileProblemAt(path);
                   !problem.isEmpty()) {
            // Qt trusts every offset in the file.
            problems.Warn(QDir::toNativeSeparators(path) + ": " + problem +
                          "; it is not registered");
        } else if (!QResource::registerResource(path, QString())) {
            problems.Warn(QDir::toNativeSeparators(path) +
                          ": Qt cannot use it as a resource file (truncated or foreign)");
        } else {
            registered << path;
        }
        const QString base = ":/" + file.baseName();
        const std::pair<QString, qint64> provided[] = {
            {base + "/style.qss", Reading::Limits::kStyleSheet},
            {base + "/fonts_" + Util::Utf8ToQString(platform) + ".qss",
             Reading::Limits::kStyleSheet},
            {base + "/fonts.json", Reading::Limits::kDataFile},
            {base + "/fonts.manifest", Reading::Limits::kDataFile}};
        // "a.rcc" and "a.old.rcc" both name ":/a/": the first one registered wins, as in Qt.
        for (const auto& [resource, limit] : provided) {
            if (preread.count(resource) == 0) {
                preread[resource] = ReadThemeFile(resource, limit, problems);
            }
        }
        if (registered.endsWith(path)) {
            QResource::unregisterResource(path, QString());
        }
        description.styleSheets.push_back(Util::QStringToUtf8(provided[0].first));
        description.styleSheets.push_back(Util::QStringToUtf8(provided[1].first));
        description.fontConfigs.push_back(Util::QStringToUtf8(provided[2].first));
        description.fontManifests.push_back(Util::QStringToUtf8(provided[3].first));
    }
    // All of them, for what the sheets and manifests name (images, fonts) and the product.
    for (const QString& path : registered) {
        QResource::registerResource(path, QString());
    }
    description.styleSheets.push_back(":/productStyle.qss");
    description.styleSheets.push_back(":/productStyle_" + platform + ".qss");
    return description;
}

void ThemeResources::Unregister(const QList<QFileInfo>& files) {
    for (const QFileInfo& file : files) {
        if (file.isFile()) {
            QResource::unregisterResource(file.absoluteFilePath(), QString());
        }
    }
}

void ThemeResources::RegisterFonts(const QString& manifest, ReportedProblems& problems,
                                   const PrereadThemeFiles* preread) {
    QByteArray text = ReadThemeFile(manifest, Reading::Limits::kDataFile, problems, preread);
    QTextStream stream(&text, QIODevice::ReadOnly);
    while (!stream.atEnd()) {
        QString word;
        stream >> word;
        if (word.isEmpty()) {  // trailing white space reads as one empty word
            continue;
        }
        // A missing font is named by the font database itself.
        const InputFile font = InputFile::Check(word, Reading::Limits::kFontFile);
        if (font.status() == InputFile::Status::Refused) {
            problems.Warn(font.Describe() + "; the font is not registered");
        } else {
            Util::FontDatabase::addApplicationFont(word);
        }
    }
}

}  // namespace Quorvel::App::LookAndFeel
