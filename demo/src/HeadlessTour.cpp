#include "HeadlessTour.h"

#include "HeadlessDialogAnswerer.h"
#include "MainWindow.h"
#include "UpdateChecker.h"

#include <Quorvel/Util/TextConversion.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QTimer>

#include <glog/logging.h>

HeadlessTour::HeadlessTour(MainWindow& window,
                           std::shared_ptr<Quorvel::App::LookAndFeelManager> lookAndFeel,
                           std::shared_ptr<Quorvel::App::ILifetimeManager> lifetime,
                           QString directory)
    : m_window(window),
      m_lookAndFeel(std::move(lookAndFeel)),
      m_lifetime(std::move(lifetime)),
      m_directory(std::move(directory)) {
    if (!m_directory.isEmpty()) {
        m_dialogs = new HeadlessDialogAnswerer(m_directory, this);
    }
}

QStringList HeadlessTour::Pictures() const {
    return m_dialogs ? m_pictures + m_dialogs->Pictures() : m_pictures;
}

void HeadlessTour::Run() {
    QDir().mkpath(m_directory);
    const std::string initialLocale = m_lookAndFeel->GetCurrentLocale();
    const std::string initialTheme = m_lookAndFeel->GetCurrentTheme();

    Settle();
    const QString started = QDir(m_directory).filePath("started.png");
    if (m_window.grab().save(started)) {
        m_pictures << started;
    }
    // The Help menu with its web pages, as the user sees it dropped down.
    QMenu* help = m_window.HelpMenu();
    help->popup(m_window.mapToGlobal(QPoint(0, 0)));
    Settle();
    const QString helpPicture = QDir(m_directory).filePath("help-menu.png");
    if (help->grab().save(helpPicture)) {
        m_pictures << helpPicture;
    }
    help->hide();
    for (const std::string& theme : m_lookAndFeel->GetThemes()) {
        Pick(m_window.ThemeMenu(), theme);
        for (const std::string& locale : m_lookAndFeel->GetLocales()) {
            Pick(m_window.LanguageMenu(), locale);
            Settle();
            const QString path =
                QDir(m_directory).filePath(QString::fromStdString(theme + "-" + locale + ".png"));
            if (m_window.grab().save(path)) {
                m_pictures << path;
            } else {
                LOG(ERROR) << "Could not save " << path.toStdString();
            }
        }
    }
    Pick(m_window.ThemeMenu(), initialTheme);
    Pick(m_window.LanguageMenu(), initialLocale);
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
    const QString path = QDir(m_directory).filePath("update-check.png");
    if (m_window.grab().save(path)) {
        m_pictures << path;
    }
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
