#pragma once

// Product data directories for the look-and-feel tests, with resource and translation files
// compiled by Qt's own rcc and lrelease (QUORVEL_RCC, QUORVEL_LRELEASE), as a product ships them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <list>
#include <string>

using Strings = std::list<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace LookAndFeelTestData {

using ResourceFiles = QMap<QString, QByteArray>;  // path below the file's prefix -> contents
using Translations = QMap<QString, QString>;      // source -> translation, in kContext

inline const char* kContext = "LookAndFeelTest";

inline QString Tr(const char* source) { return QCoreApplication::translate(kContext, source); }

inline QStringList ToQt(const Strings& strings) {
    QStringList result;
    for (const std::string& s : strings) {
        result << QString::fromStdString(s);
    }
    return result;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs `tool` with `arguments`, in which "%in" names a scratch file `inputName` holding `source`;
// the last argument is the output file.
inline bool Compile(const char* tool, QStringList arguments, const QString& inputName,
                    const QString& source) {
    QTemporaryDir scratch;
    const QString input = scratch.filePath(inputName);
    if (!scratch.isValid() || !WriteFile(input, source.toUtf8())) {
        return false;
    }
    QDir().mkpath(QFileInfo(arguments.last()).absolutePath());
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromUtf8(tool), arguments.replaceInStrings("%in", input));
    // A safety net only; the tools finish in well under a second.
    const bool ok = process.waitForFinished(120000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok) {
        qWarning() << tool << arguments << process.readAll();
    }
    return ok;
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
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/%1\">\n").arg(prefix.toHtmlEscaped());
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString source = sources.filePath(it.key());
        if (!WriteFile(source, it.value())) {
            return false;
        }
        qrc += QStringLiteral("<file alias=\"%1\">%2</file>\n")
                   .arg(it.key().toHtmlEscaped(), source.toHtmlEscaped());
    }
    createdResourceFiles << rccPath;
    return Compile(QUORVEL_RCC, {"-binary", "%in", "-o", rccPath}, "resources.qrc",
                   qrc + "</qresource></RCC>\n");
}

inline bool MakeQm(const QString& qmPath, const QString& language, const Translations& texts) {
    QString ts = QStringLiteral(
                     "<!DOCTYPE TS><TS version=\"2.1\" language=\"%1\">"
                     "<context><name>%2</name>\n")
                     .arg(language, QString::fromLatin1(kContext));
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        ts += QStringLiteral("<message><source>%1</source><translation>%2</translation></message>")
                  .arg(it.key().toHtmlEscaped(), it.value().toHtmlEscaped());
    }
    return Compile(QUORVEL_LRELEASE, {"-silent", "%in", "-qm", qmPath}, "messages.ts",
                   ts + "</context></TS>\n");
}

// <root>/resources/{themes,locales}/...
class DataDir {
public:
    QString Root() const { return m_dir.path(); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString Theme(const QString& theme) const { return Path("resources/themes/" + theme); }

    bool AddDir(const QString& relative) const {
        return m_dir.isValid() && QDir().mkpath(Path(relative));
    }
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
    bool AddQm(const QString& locale, const QString& file, const Translations& texts) const {
        return MakeQm(Path("resources/locales/" + locale + '/' + file), locale, texts);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace LookAndFeelTestData
