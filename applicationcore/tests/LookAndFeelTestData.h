#pragma once

// Builds product data directories for the look-and-feel tests: real compiled resource files
// (Qt's rcc) and real translation files (lrelease), so that what the manager registers and
// installs is what a product would ship.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QResource>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#ifndef QUORVEL_RCC
#define QUORVEL_RCC "rcc"
#endif
#ifndef QUORVEL_LRELEASE
#define QUORVEL_LRELEASE "lrelease"
#endif

namespace LookAndFeelTestData {

// Resource path below the file's own prefix -> contents.
using ResourceFiles = QMap<QString, QByteArray>;
// Source text -> translation, all in one context.
using Translations = QMap<QString, QString>;

inline const char* kContext = "LookAndFeelTest";

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    // A safety net only; the tools finish in well under a second.
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAll();
        return false;
    }
    return true;
}

// Every resource file made here, so that a test can leave none registered behind, even when it
// stopped early at a failed check.
inline QStringList& CreatedResourceFiles() {
    static QStringList files;
    return files;
}

inline void UnregisterCreatedResources() {
    for (const QString& file : CreatedResourceFiles()) {
        while (QResource::unregisterResource(file)) {
        }
    }
    CreatedResourceFiles().clear();
}

inline QString Escape(const QString& text) { return text.toHtmlEscaped(); }

// Compiles `files` into `rccPath`, every file under ":/" + `prefix` + "/" (an empty prefix puts
// them at the root). Sources may also be copied from disk: contents "@file:<path>".
inline bool MakeRcc(const QString& rccPath, const QString& prefix, const ResourceFiles& files) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return false;
    }
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/%1\">\n").arg(Escape(prefix));
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString source = scratch.filePath(QStringLiteral("src/") + it.key());
        if (it.value().startsWith("@file:")) {
            QDir().mkpath(QFileInfo(source).absolutePath());
            if (!QFile::copy(QString::fromUtf8(it.value().mid(6)), source)) {
                return false;
            }
        } else if (!WriteFile(source, it.value())) {
            return false;
        }
        qrc += QStringLiteral("<file alias=\"%1\">%2</file>\n")
                   .arg(Escape(it.key()), Escape(QStringLiteral("src/") + it.key()));
    }
    qrc += QStringLiteral("</qresource></RCC>\n");
    const QString qrcPath = scratch.filePath(QStringLiteral("resources.qrc"));
    QDir().mkpath(QFileInfo(rccPath).absolutePath());
    CreatedResourceFiles() << rccPath;
    return WriteFile(qrcPath, qrc.toUtf8()) &&
           RunTool(QStringLiteral(QUORVEL_RCC),
                   {QStringLiteral("-binary"), qrcPath, QStringLiteral("-o"), rccPath});
}

// A theme resource file: its resources sit under ":/<base name>/", as the manager expects.
inline bool MakeThemeRcc(const QString& themeDir, const QString& fileName,
                         const ResourceFiles& files) {
    return MakeRcc(themeDir + QLatin1Char('/') + fileName, QFileInfo(fileName).baseName(), files);
}

inline bool MakeQm(const QString& qmPath, const QString& language,
                   const Translations& translations) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return false;
    }
    QString ts = QStringLiteral(
                     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                     "<TS version=\"2.1\" language=\"%1\">\n<context><name>%2</name>\n")
                     .arg(language, QString::fromLatin1(kContext));
    for (auto it = translations.begin(); it != translations.end(); ++it) {
        ts += QStringLiteral(
                  "<message><source>%1</source><translation>%2</translation>"
                  "</message>\n")
                  .arg(Escape(it.key()), Escape(it.value()));
    }
    ts += QStringLiteral("</context>\n</TS>\n");
    const QString tsPath = scratch.filePath(QStringLiteral("messages.ts"));
    QDir().mkpath(QFileInfo(qmPath).absolutePath());
    return WriteFile(tsPath, ts.toUtf8()) &&
           RunTool(QStringLiteral(QUORVEL_LRELEASE),
                   {QStringLiteral("-silent"), tsPath, QStringLiteral("-qm"), qmPath});
}

inline QString Tr(const char* source) { return QCoreApplication::translate(kContext, source); }

// A data directory: <root>/resources/{themes,locales}/...
class DataDir {
public:
    bool IsValid() const { return m_dir.isValid(); }
    QString Root() const { return m_dir.path(); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString Theme(const QString& theme) const {
        return Path(QStringLiteral("resources/themes/") + theme);
    }
    QString Locale(const QString& locale) const {
        return Path(QStringLiteral("resources/locales/") + locale);
    }

    bool AddDir(const QString& relative) const { return QDir().mkpath(Path(relative)); }
    bool AddFile(const QString& relative, const QByteArray& bytes) const {
        return WriteFile(Path(relative), bytes);
    }
    bool AddTheme(const QString& theme, const QByteArray& titles = "{}") const {
        return AddFile(QStringLiteral("resources/themes/%1/title.json").arg(theme), titles);
    }
    bool AddThemeRcc(const QString& theme, const QString& fileName,
                     const ResourceFiles& files) const {
        return MakeThemeRcc(Theme(theme), fileName, files);
    }
    bool AddQm(const QString& locale, const QString& fileName,
               const Translations& translations) const {
        return MakeQm(Locale(locale) + QLatin1Char('/') + fileName, locale, translations);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace LookAndFeelTestData
