#pragma once

// Stand-ins for browsers: running copies of a helper that sleeps until killed, desktop entries
// in private XDG data folders.

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace BrowserTestSupport {

inline const QFile::Permissions kExecutable =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

inline bool WriteFile(const QString& path, const QByteArray& bytes,
                      QFile::Permissions permissions = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    file.close();
    return permissions == QFile::Permissions() || file.setPermissions(permissions);
}

// The form in which the system reports the paths of running programs.
inline QString CanonicalPath(const QTemporaryDir& dir) {
    return QFileInfo(dir.path()).canonicalFilePath();
}

// Copies of the sleeping helper, running under chosen names; killed when this goes.
class RunningCopies {
public:
    ~RunningCopies() {
        for (const auto& process : m_processes) {
            process->kill();
            process->waitForFinished(30000);
        }
    }

    // Starts a copy at `path`; returns its process id, 0 on failure.
    qint64 Start(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!QFile::copy(Quorvel::TestSupport::HelperProgram("browser_sleeper"), path)) {
            return 0;
        }
        auto process = std::make_unique<QProcess>();
        process->start(path, QStringList());
        // The new executable is what the system reports once the start is.
        if (!process->waitForStarted(30000)) {
            return 0;
        }
        m_processes.push_back(std::move(process));
        return m_processes.back()->processId();
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// A fresh folder with its own settings stores, and the XDG data folders of this process
// pointed at its "home" (the user's) and "system" folders until it goes.
class CaseFolder {
public:
    CaseFolder()
        : dir(CanonicalPath(m_temporary)),
          product(std::make_shared<Quorvel::App::ProductSettingsManager>(dir + "/product.ini")),
          installer(
              std::make_shared<Quorvel::App::InstallerSettingsManager>(dir + "/installer.ini")),
          m_oldHome(qgetenv("XDG_DATA_HOME")),
          m_oldDirs(qgetenv("XDG_DATA_DIRS")) {
        qputenv("XDG_DATA_HOME", (dir + "/home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (dir + "/system:" + dir + "/empty").toLocal8Bit());
    }
    ~CaseFolder() {
        qputenv("XDG_DATA_HOME", m_oldHome);
        qputenv("XDG_DATA_DIRS", m_oldDirs);
    }

    // A browser's desktop entry at `file` ("home/..." or "system/..." and a file name); the
    // Exec line comes last, so that `exec` may carry more lines.
    bool AddEntry(const QString& file, const QString& exec,
                  const QString& categories = "Network;WebBrowser;") const {
        return WriteFile(dir + "/" + QString(file).replace('/', "/applications/"),
                         ("[Desktop Entry]\nType=Application\nCategories=" + categories +
                          "\nExec=" + exec + "\n")
                             .toUtf8());
    }

private:
    QTemporaryDir m_temporary;

public:
    const QString dir;
    const std::shared_ptr<Quorvel::App::ProductSettingsManager> product;
    const std::shared_ptr<Quorvel::App::InstallerSettingsManager> installer;

private:
    QByteArray m_oldHome;
    QByteArray m_oldDirs;
};

// A look-and-feel manager with `locale` as its one installed and current locale.
inline std::shared_ptr<Quorvel::App::LookAndFeelManager> Looks(const QString& root,
                                                               const std::string& locale) {
    QDir().mkpath(root + "/resources/locales/" + QString::fromStdString(locale));
    auto looks = std::make_shared<Quorvel::App::LookAndFeelManager>(
        root.toStdString(), "titles.json", std::list<std::string>());
    looks->SetLocale(locale);
    return looks;
}

}  // namespace BrowserTestSupport
