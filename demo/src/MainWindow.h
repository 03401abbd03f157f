#pragma once

#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/LookAndFeelHandler.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>

#include <Quorvel/App/Appearance/DesktopAppearance.h>
#include <Quorvel/App/Appearance/ThemeFollower.h>

#include <QMainWindow>

#include <memory>

class FactLabel;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// The demo's shell: facts about this installation, notes that can be left unsaved, the
// graphics-driver messages, and the File, View, Window and Help menus; the Help menu's web
// pages come from the links manager and open in the preferred browser.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Quorvel::App::Application& application,
               std::shared_ptr<Quorvel::App::LookAndFeelManager> lookAndFeel,
               Quorvel::App::PreferredBrowser& browser, bool installerRunning);
    ~MainWindow() override;

    bool HasUnsavedWork() const;
    bool IsRestarting() const { return m_restarting; }
    QMenu* LanguageMenu() const { return m_languageMenu; }
    QMenu* ThemeMenu() const { return m_themeMenu; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    void ShowStarted();
    // A later launch's command line: the window comes to the front and names what it was given.
    void ShowHandedOver(const QStringList& arguments, const QString& workingDirectory);
    // View -> Theme gets "Follow the system", in step with `follower`.
    void FollowTheDesktop(Quorvel::App::ThemeFollower& follower,
                          Quorvel::App::DesktopAppearance& desktop);

protected:
    void changeEvent(QEvent* event) override;
    // Closing the window is a request to quit, which the lifetime's observers may refuse.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void AddLink(QMenu* menu, Quorvel::URLKeys key);
    QWidget* BuildCentralWidget();
    void Retranslate();
    void RefreshFacts();
    void Restart();
    void SaveNotes();
    void ShowDriverMessage(bool unsupported);

    Quorvel::App::Application& m_application;
    std::shared_ptr<Quorvel::App::LookAndFeelManager> m_lookAndFeel;
    Quorvel::App::PreferredBrowser& m_browser;
    bool m_installerRunning;
    bool m_started = false;
    bool m_restarting = false;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QMenu* m_themeMenu = nullptr;
    QMenu* m_followMenu = nullptr;
    std::vector<std::pair<QAction*, Quorvel::URLKeys>> m_links;
    QAction* m_restartAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_setupDriverAction = nullptr;
    QAction* m_unsupportedDriverAction = nullptr;
    Quorvel::App::LookAndFeelHandler* m_lookAndFeelHandler = nullptr;

    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
    QLabel* m_handedOver = nullptr;
    QGroupBox* m_factsBox = nullptr;
    QGroupBox* m_notesBox = nullptr;
    QGroupBox* m_driverBox = nullptr;
    struct Fact {
        QLabel* name;
        FactLabel* value;
    };
    std::vector<Fact> m_facts;
    QPlainTextEdit* m_notes = nullptr;
    QPushButton* m_saveNotes = nullptr;
    QPushButton* m_setupDriverButton = nullptr;
    QPushButton* m_unsupportedDriverButton = nullptr;
    QLabel* m_status = nullptr;
};
