#pragma once

// Product data directories for the look-and-feel tests, with resource and translation files
// compiled by Qt's own rcc and lrelease (QUORVEL_RCC, QUORVEL_LRELEASE), as a product ships them.

#include <Quorvel/TestSupport/TestEnvironment.h>

using Strings = std::list<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace LookAndFeelTestData {

using ResourceFiles = QMap<QString, QByteArray>;  // path below the file's prefix -> contents

inline QString Tr(const char* source) { return QCoreApplication::translate("Test", source); }

inline QString Join(const Strings& strings) {
    QStringList result;
    for (const std::string& s : strings) {
        result << QString::fromStdString(s);
    }
    return result.join(',');
}

using Quorvel::TestSupport::WriteFile;

// Runs `tool` on a scratch file `name` holding `source`; the last argument is the output file.
inline bool Compile(const char* tool, const QStringList& arguments, const QString& name,
                    const QString& source) {
    QTemporaryDir scratch;
    QDir().mkpath(QFileInfo(arguments.last()).absolutePath());
    QProcess process;
    if (!WriteFile(scratch.filePath(name), source.toUtf8())) {
        return false;
    }
    process.start(tool, QStringList{scratch.filePath(name)} + arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Every resource file made here, so that cleanup() leaves none registered, even after a failure.
inline QStringList createdResourceFiles;

inline void UnregisterCreatedResources() {
    for (const QString& file : createdResourceFiles) {
        while (QResource::unregisterResource(file)) {
        }
    }
    createdResourceFiles.clear();
}

// Compiles `files` into `rccPath`, each under ":/" + `prefix` + "/".
inline bool MakeRcc(const QString& rccPath, const QString& prefix, const ResourceFiles& files) {
    QTemporaryDir sources;
    QString qrc = "<RCC><qresource prefix=\"/" + prefix + "\">";
    for (auto it = files.begin(); it != files.end(); ++it) {
        WriteFile(sources.filePath(it.key()), it.value());
        qrc += "<file alias=\"" + it.key() + "\">" + sources.filePath(it.key()) + "</file>";
    }
    createdResourceFiles << rccPath;
    return Compile(QUORVEL_RCC, {"-binary", "-o", rccPath}, "r.qrc", qrc + "</qresource></RCC>");
}

// <root>/resources/{themes,locales}/...
struct DataDir {
    QTemporaryDir dir;
    QString Root() const { return dir.path(); }
    QString Path(const QString& relative) const { return dir.filePath(relative); }
    QString Theme(const QString& theme) const { return Path("resources/themes/" + theme); }
    bool AddDir(const QString& relative) const { return QDir().mkpath(Path(relative)); }
    bool AddLocales(const QStringList& locales) const {
        return std::all_of(locales.begin(), locales.end(), [this](const QString& name) {
            return AddDir("resources/locales/" + name);
        });
    }
    bool AddTheme(const QString& theme, const QByteArray& titles = "{}") const {
        return WriteFile(Theme(theme) + "/title.json", titles);
    }
    // The file's resources sit under ":/<base name>/", as the manager expects.
    bool AddThemeRcc(const QString& theme, const QString& file, const ResourceFiles& files) const {
        return MakeRcc(Theme(theme) + '/' + file, QFileInfo(file).baseName(), files);
    }
    // Source -> translation, in the context "Test".
    bool AddQm(const QString& locale, const QString& file, const QMap<QString, QString>& texts) {
        QString ts = "<!DOCTYPE TS><TS version=\"2.1\" language=\"" + locale +
                     "\"><context><name>Test</name>";
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            ts += "<message><source>" + it.key() + "</source><translation>" + it.value() +
                  "</translation></message>";
        }
        return Compile(QUORVEL_LRELEASE,
                       {"-silent", "-qm", Path("resources/locales/" + locale + '/' + file)}, "m.ts",
                       ts + "</context></TS>");
    }
};

}  // namespace LookAndFeelTestData
