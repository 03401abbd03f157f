#pragma once

// Stand-ins for browsers: running copies of a helper that sleeps until killed, desktop entries
// in private XDG data folders.

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

namespace BrowserTestSupport {

using Quorvel::TestSupport::ReadFile;
using Quorvel::TestSupport::WriteFile;

inline const QFile::Permissions kExecutable = QFile::ReadOwner | QFile::ExeOwner;

// The form in which the system reports the paths of running programs.
inline QString CanonicalPath(const QTemporaryDir& dir) {
    return QFileInfo(dir.path()).canonicalFilePath();
}

// Copies of the sleeping helper, running under chosen names; killed when this goes.
struct RunningCopies : std::vector<std::unique_ptr<QProcess>> {
    ~RunningCopies() {
        for (const auto& process : *this) {
            process->kill();
            process->waitForFinished(30000);
        }
    }
    // Starts a copy at `path` ("-" at the end: its file deleted once it runs); its process id.
    qint64 Start(QString path) {
        const bool remove = path.endsWith('-');
        path.chop(remove ? 1 : 0);
        QDir().mkpath(QFileInfo(path).absolutePath());
        emplace_back(std::make_unique<QProcess>());
        if (!QFile::copy(Quorvel::TestSupport::HelperProgram("browser_sleeper"), path)) {
            return 0;
        }
        back()->start(path, QStringList());
        // The new executable is what the system reports once the start is.
        return back()->waitForStarted(30000) && (!remove || QFile::remove(path))
                   ? back()->processId()
                   : 0;
    }
};

// A fresh folder with its own settings stores, and the XDG data folders of this process
// pointed at its "home" (the user's) and "system" folders until it goes.
struct CaseFolder {
    QTemporaryDir temporary;
    const QString dir = CanonicalPath(temporary);
    const std::shared_ptr<Quorvel::App::ProductSettingsManager> product =
        std::make_shared<Quorvel::App::ProductSettingsManager>(dir + "/product.ini");
    const std::shared_ptr<Quorvel::App::InstallerSettingsManager> installer =
        std::make_shared<Quorvel::App::InstallerSettingsManager>(dir + "/installer.ini");
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME"), oldDirs = qgetenv("XDG_DATA_DIRS");

    CaseFolder() {
        qputenv("XDG_DATA_HOME", (dir + "/home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (dir + "/system:" + dir + "/empty").toLocal8Bit());
    }
    ~CaseFolder() {
        qputenv("XDG_DATA_HOME", oldHome);
        qputenv("XDG_DATA_DIRS", oldDirs);
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
    std::string Stored() const { return product->GetString("PreferredBrowser", "<absent>"); }
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
