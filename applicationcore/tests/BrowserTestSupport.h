#pragma once

// Stand-ins for browsers in the browser tests: running processes started from copies of a
// helper that sleeps until killed, installed browsers described by desktop entries in private
// XDG data folders, and a look-and-feel manager that only knows its locale.

#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/ILookAndFeelManager.h>
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

inline const QFile::Permissions kExecutable =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;

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
        // The executable is in place once the start is reported.
        if (!process->waitForStarted(30000)) {
            return 0;
        }
        m_processes.push_back(std::move(process));
        return m_processes.back()->processId();
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// Points the XDG data folders of this process at `root`/home and `root`/system, where
// desktop entries are written; restores the old values when it goes.
class DesktopEntries {
public:
    explicit DesktopEntries(const QString& root)
        : m_home(root + "/home"),
          m_system(root + "/system"),
          m_oldHome(qgetenv("XDG_DATA_HOME")),
          m_oldDirs(qgetenv("XDG_DATA_DIRS")) {
        qputenv("XDG_DATA_HOME", m_home.toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (m_system + ":" + root + "/empty").toLocal8Bit());
    }
    ~DesktopEntries() {
        qputenv("XDG_DATA_HOME", m_oldHome);
        qputenv("XDG_DATA_DIRS", m_oldDirs);
    }

    bool AddUser(const QString& fileName, const QString& text) {
        return WriteFile(m_home + "/applications/" + fileName, text.toUtf8());
    }
    bool AddSystem(const QString& fileName, const QString& text) {
        return WriteFile(m_system + "/applications/" + fileName, text.toUtf8());
    }

    // A minimal browser entry.
    static QString Browser(const QString& exec, const QString& categories = "Network;WebBrowser;") {
        return "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + exec +
               "\nCategories=" + categories + "\n";
    }

private:
    QString m_home;
    QString m_system;
    QByteArray m_oldHome;
    QByteArray m_oldDirs;
};

class FakeLookAndFeel : public Quorvel::App::ILookAndFeelManager {
public:
    explicit FakeLookAndFeel(const std::string& locale) : m_locale(locale) {}

    void Initialize(const std::string&, const std::string&) override {}
    const std::string& GetCurrentLocale() const override { return m_locale; }
    const std::list<std::string>& GetLocales() const override { return m_none; }
    const std::list<std::string>& GetThemes() const override { return m_none; }
    void SetLocale(const std::string& locale) override { m_locale = locale; }
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return m_locale; }
    std::string GetLocalizedThemeName(const std::string&) const override { return {}; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return {}; }
    void RegisterObserver(Quorvel::App::ILookAndFeelObserver*) override {}
    void UnregisterObserver(Quorvel::App::ILookAndFeelObserver*) override {}

private:
    std::string m_locale;
    std::list<std::string> m_none;
};

// The full browser, counting its searches and keeping the hints of the last one.
class RecordingBrowser : public Quorvel::App::PreferredBrowser {
public:
    using PreferredBrowser::PreferredBrowser;

    int searches = 0;
    PreferredBrowserContext lastContext;

protected:
    QString FindPath(const PreferredBrowserContext& context) override {
        ++searches;
        lastContext = context;
        return PreferredBrowser::FindPath(context);
    }
};

// A temporary folder under its canonical name, the form in which the system reports the
// paths of running programs.
inline QString CanonicalPath(const QTemporaryDir& dir) {
    return QFileInfo(dir.path()).canonicalFilePath();
}

}  // namespace BrowserTestSupport
