#pragma once

#include "PictureFolder.h"

#include <Quorvel/App/Appearance/DesktopAppearance.h>
#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>

#include <QObject>
#include <QStringList>

#include <memory>

class HeadlessDialogAnswerer;
class MainWindow;
class QMenu;
class UpdateChecker;

// Runs the demo without anyone at the screen: once started, pictures the Help menu, picks every
// theme and every language from the View menu as a user would, saves a picture of the main
// window for each, turns on "Follow the system" and pictures the window once the desktop is
// dark (when the desktop tells a preference at all), puts the user's own choice back, waits for a
// due update check to answer and pictures that, and quits. Dialogs on the way (the e-mail offer,
// the quit confirmation, a diagnostic's box) are pictured and answered. The choices it visits are
// never saved (the look-and-feel applier leaves them alone). A folder it cannot make ends the tour
// at once; it failed when any picture could not be saved or shows a text cut off.
class HeadlessTour : public QObject {
    Q_OBJECT
public:
    HeadlessTour(MainWindow& window, std::shared_ptr<Quorvel::App::LookAndFeelManager> lookAndFeel,
                 std::shared_ptr<Quorvel::App::ILifetimeManager> lifetime, QString directory);

    void Run();
    void SetUpdateChecker(UpdateChecker* checker) { m_updateChecker = checker; }
    void SetDesktop(Quorvel::App::DesktopAppearance* desktop) { m_desktop = desktop; }
    QStringList Pictures() const { return m_folder.Pictures(); }
    bool Failed() const { return m_folder.Failures() > 0; }

private:
    void Pick(QMenu* menu, const std::string& name);
    void Settle();
    void PictureUpdateCheck();
    void PictureFollowingTheDesktop();

    MainWindow& m_window;
    std::shared_ptr<Quorvel::App::LookAndFeelManager> m_lookAndFeel;
    std::shared_ptr<Quorvel::App::ILifetimeManager> m_lifetime;
    PictureFolder m_folder;
    UpdateChecker* m_updateChecker = nullptr;
    Quorvel::App::DesktopAppearance* m_desktop = nullptr;
    HeadlessDialogAnswerer* m_dialogs = nullptr;
};
