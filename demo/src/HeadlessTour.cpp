#include "HeadlessTour.h"

#include "HeadlessDialogAnswerer.h"
#include "MainWindow.h"
#include "UpdateChecker.h"

#include <Quorvel/Util/TextConversion.h>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QTimer>

#include <cstdio>

HeadlessTour::HeadlessTour(MainWindow& window,
                           std::shared_ptr<Quorvel::App::LookAndFeelManager> lookAndFeel,
                           std::shared_ptr<Quorvel::App::ILifetimeManager> lifetime,
                           QString directory)
    : m_window(window),
      m_lookAndFeel(std::move(lookAndFeel)),
      m_lifetime(std::move(lifetime)),
      m_folder(directory) {
    if (!directory.isEmpty()) {
        m_dialogs = new HeadlessDialogAnswerer(m_folder, this);
    }
}

void HeadlessTour::Run() {
    if (!m_folder.Prepare()) {
        m_lifetime->tryToQuit();
        return;
    }
    const std::string initialLocale = m_lookAndFeel->GetCurrentLocale();
    const std::string initialTheme = m_lookAndFeel->GetCurrentTheme();

    Settle();
    m_folder.Save(m_window, "started");
    // The Help menu with its web pages, as the user sees it dropped down.
    QMenu* help = m_window.HelpMenu();
    help->popup(m_window.mapToGlobal(QPoint(0, 0)));
    Settle();
    m_folder.Save(*help, "help-menu");
    help->hide();
    for (const std::string& theme : m_lookAndFeel->GetThemes()) {
        Pick(m_window.ThemeMenu(), theme);
        for (const std::string& locale : m_lookAndFeel->GetLocales()) {
            Pick(m_window.LanguageMenu(), locale);
            Settle();
            m_folder.Save(m_window, QString::fromStdString(theme + "-" + locale));
        }
    }
    Pick(m_window.LanguageMenu(), initialLocale);
    PictureFollowingTheDesktop();
    Pick(m_window.ThemeMenu(), initialTheme);
    PictureUpdateCheck();
    Settle();  // the quit question shows the window's title in that language
    m_lifetime->tryToQuit();
}

// The check comes five seconds after start; its answer, or its failure, within the HTTP
// client's timeout after that.
void HeadlessTour::PictureUpdateCheck() {
    if (!m_updateChecker || !m_updateChecker->Pending()) {
        return;
    }
    QEventLoop loop;
    connect(m_updateChecker, &UpdateChecker::Checked, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);  // past the client's own timeout
    loop.exec();
    Settle();
    m_folder.Save(m_window, "update-check");
}

// Turns following on from the menu and waits for the desktop to be dark: a test switches it
// when told on stdout. Without a preference of the desktop there is nothing to wait for.
void HeadlessTour::PictureFollowingTheDesktop() {
    using Scheme = Quorvel::App::DesktopAppearance::Scheme;
    QAction* follow = nullptr;
    for (QAction* action : m_window.ThemeMenu()->actions()) {
        if (action->isCheckable() && action->data().isNull()) {
            follow = action;
        }
    }
    if (!follow || !m_desktop || m_desktop->CurrentScheme() == Scheme::NoPreference) {
        std::printf("The desktop tells no light or dark preference: no follow-system picture\n");
        return;
    }
    if (!follow->isChecked()) {
        follow->trigger();
    }
    if (m_desktop->CurrentScheme() != Scheme::Dark) {
        std::printf("Waiting for the desktop to turn dark\n");
        std::fflush(stdout);
        QEventLoop loop;
        connect(m_desktop, &Quorvel::App::DesktopAppearance::SchemeChanged, &loop,
                [&loop](Scheme scheme) {
                    if (scheme == Scheme::Dark) {
                        loop.quit();
                    }
                });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    Settle();
    const QString name = "follow-system-dark";
    if (m_desktop->CurrentScheme() != Scheme::Dark || m_lookAndFeel->GetCurrentTheme() != "dark") {
        m_folder.Fail(name + ".png", "the theme did not follow the desktop to dark");
        return;
    }
    m_folder.Save(m_window, name);
}

void HeadlessTour::Pick(QMenu* menu, const std::string& name) {
    for (QAction* action : menu->actions()) {
        if (action->data().toString() == Quorvel::Util::Utf8ToQString(name)) {
            action->trigger();
            return;
        }
    }
}

// Language changes reach the widgets as posted events, and a new style sheet repolishes
// them lazily: let both land before taking the picture.
void HeadlessTour::Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}
