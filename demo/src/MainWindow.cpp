#include "MainWindow.h"

#include "AccentColorButton.h"
#include "FactLabel.h"
#include "SettingsMenu.h"
#include "TouchPanel.h"
#include "WindowMenu.h"

#include <Quorvel/App/Application/LocaleLabels.h>
#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/Util/AlertBox.h>
#include <Quorvel/Util/TextConversion.h>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace Quorvel::App;
using Quorvel::Util::QStringToUtf8;
using Quorvel::Util::Utf8ToQString;

namespace {

const char* const kNotesKey = "Notes/Text";
const char* const kDriverHelpUrl = "https://quorvel.example/help/graphics-driver";

enum FactRow {
    Version,
    FirstStart,
    LaunchKind,
    Partner,
    Installer,
    Theme,
    Language,
    Browser,
    Machine,
    FactCount
};

QString LinkText(Quorvel::URLKeys key) {
    using Quorvel::URLKeys;
    switch (key) {
        case URLKeys::HELP_URL_menu:
            return MainWindow::tr("Online &help");
        case URLKeys::FAQ_URL_menu:
            return MainWindow::tr("Frequently asked &questions");
        case URLKeys::VIDEO_LESSONS_URL_menu:
            return MainWindow::tr("&Video lessons");
        case URLKeys::FORUM_URL_menu:
            return MainWindow::tr("User &forum");
        case URLKeys::CONTACT_SUPPORT_menu:
            return MainWindow::tr("&Contact support");
        case URLKeys::HOMEPAGE_URL_menu:
            return MainWindow::tr("Product &home page");
        case URLKeys::FACEBOOK_URL_menu:
            return MainWindow::tr("Community page");
        case URLKeys::INSTAGRAM_URL_menu:
            return MainWindow::tr("Photo stream");
        case URLKeys::YOU_TUBE_URL_menu:
            return MainWindow::tr("Video channel");
        default:
            return QString::fromStdString(Quorvel::GetURLKeyNames().at(key));
    }
}

QString LaunchTypeText(LaunchType type) {
    switch (type) {
        case LaunchType::Regular:
            return MainWindow::tr("regular start");
        case LaunchType::AfterInstall:
            return MainWindow::tr("first start after installation");
        case LaunchType::AfterReinstall:
            return MainWindow::tr("first start after reinstallation");
        case LaunchType::AfterUpdate:
            return MainWindow::tr("first start after an update");
        case LaunchType::Background:
            return MainWindow::tr("background start");
    }
    return {};
}

// Arguments for the relaunched instance, quoted the way the restart splits them again.
std::string RestartArguments() {
    QStringList quoted;
    for (QString argument : QCoreApplication::arguments().mid(1)) {
        if (argument.contains(' ') || argument.contains('"') || argument.isEmpty()) {
            argument = '"' + argument.replace('"', "\"\"\"") + '"';
        }
        quoted << argument;
    }
    return QStringToUtf8(quoted.join(' '));
}

}  // namespace

MainWindow::MainWindow(Application& application, std::shared_ptr<LookAndFeelManager> lookAndFeel,
                       PreferredBrowser& browser, bool installerRunning)
    : m_application(application),
      m_lookAndFeel(std::move(lookAndFeel)),
      m_browser(browser),
      m_installerRunning(installerRunning) {
    BuildMenus();
    setCentralWidget(BuildCentralWidget());
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status);
    statusBar()->addPermanentWidget(
        new AccentColorButton(m_application.Get<IApplicationSettingsManager>(), this, this));
    resize(760, 800);

    if (auto user = m_application.Get<IUserSettingsManager>()) {
        m_notes->setPlainText(Utf8ToQString(user->GetString(kNotesKey, std::string())));
    }
    m_notes->document()->setModified(false);

    m_lookAndFeelHandler = new LookAndFeelHandler(m_lookAndFeel, m_languageMenu, m_themeMenu, this);
    m_lookAndFeelHandler->SetLocaleList(m_lookAndFeel->GetLocales());
    m_lookAndFeelHandler->SetThemeList(m_lookAndFeel->GetThemes());
    m_lookAndFeelHandler->SelectLocale(m_lookAndFeel->GetCurrentLocale());
    m_lookAndFeelHandler->SelectTheme(m_lookAndFeel->GetCurrentTheme());
    m_lookAndFeelHandler->Refresh();
    connect(m_lookAndFeelHandler, &LookAndFeelHandler::ThemeChanged, this,
            [this] { RefreshFacts(); });

    Retranslate();
}

MainWindow::~MainWindow() {
    // The menus go with the window; the handler must not fill them afterwards.
    m_lookAndFeelHandler->SetLocaleMenu(nullptr);
    m_lookAndFeelHandler->SetThemeMenu(nullptr);
}

void MainWindow::FollowTheDesktop(Quorvel::App::ThemeFollower& follower,
                                  Quorvel::App::DesktopAppearance& desktop) {
    m_lookAndFeelHandler->AddFollowSystemEntry();
    m_lookAndFeelHandler->SetFollowSystemChecked(follower.IsFollowing());
    connect(m_lookAndFeelHandler, &LookAndFeelHandler::FollowSystemToggled, &follower,
            &Quorvel::App::ThemeFollower::SetFollowing);
    connect(&follower, &Quorvel::App::ThemeFollower::FollowingChanged, m_lookAndFeelHandler,
            &LookAndFeelHandler::SetFollowSystemChecked);
    // After the follower's own connection: the theme has switched by then.
    connect(&desktop, &Quorvel::App::DesktopAppearance::SchemeChanged, this,
            [this] { RefreshFacts(); });
}

bool MainWindow::HasUnsavedWork() const { return m_notes->document()->isModified(); }

void MainWindow::ShowStarted() {
    m_started = true;
    m_browser.Path();  // looks for the browser once, at start; it remembers what it finds
    Retranslate();
}

void MainWindow::ShowHandedOver(const QStringList& arguments, const QString& workingDirectory) {
    QString file;
    QStringList quoted;
    for (const QString& argument : arguments) {
        if (file.isEmpty() && !argument.isEmpty() && !argument.startsWith('-')) {
            file = QFileInfo(QDir(workingDirectory).absoluteFilePath(argument)).fileName();
        }
        quoted << '"' + argument + '"';
    }
    m_handedOver->setText(tr("Handed over by another launch: %1 (arguments: %2)")
                              .arg(file.isEmpty() ? tr("no file") : file, quoted.join(' ')));
    m_handedOver->show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::BuildMenus() {
    m_fileMenu = menuBar()->addMenu(QString());
    m_restartAction = m_fileMenu->addAction(QString(), this, &MainWindow::Restart);
    m_fileMenu->addSeparator();
    m_quitAction = m_fileMenu->addAction(
        QString(), this, [this] { m_application.Get<ILifetimeManager>()->tryToQuit(); });
    m_quitAction->setShortcut(QKeySequence::Quit);

    m_viewMenu = menuBar()->addMenu(QString());
    m_languageMenu = m_viewMenu->addMenu(QString());
    m_themeMenu = m_viewMenu->addMenu(QString());
    menuBar()->addMenu(new SettingsMenu(m_application.Get<IApplicationSettingsManager>(), this));
    new WindowMenu(menuBar(), [this](QWidget* window) { return window == this; });

    m_helpMenu = menuBar()->addMenu(QString());
    for (auto key : {Quorvel::URLKeys::HELP_URL_menu, Quorvel::URLKeys::FAQ_URL_menu,
                     Quorvel::URLKeys::VIDEO_LESSONS_URL_menu, Quorvel::URLKeys::FORUM_URL_menu,
                     Quorvel::URLKeys::CONTACT_SUPPORT_menu}) {
        AddLink(m_helpMenu, key);
    }
    m_followMenu = m_helpMenu->addMenu(QString());
    for (auto key : {Quorvel::URLKeys::FACEBOOK_URL_menu, Quorvel::URLKeys::INSTAGRAM_URL_menu,
                     Quorvel::URLKeys::YOU_TUBE_URL_menu}) {
        AddLink(m_followMenu, key);
    }
    AddLink(m_helpMenu, Quorvel::URLKeys::HOMEPAGE_URL_menu);
    m_helpMenu->addSeparator();
    m_setupDriverAction =
        m_helpMenu->addAction(QString(), this, [this] { ShowDriverMessage(false); });
    m_unsupportedDriverAction =
        m_helpMenu->addAction(QString(), this, [this] { ShowDriverMessage(true); });
}

void MainWindow::AddLink(QMenu* menu, Quorvel::URLKeys key) {
    // Resolved when chosen, so that the address follows the language in effect.
    QAction* action = menu->addAction(QString(), this, [this, key] {
        m_application.GetLinksManager()->OpenUrl(key);
        RefreshFacts();  // the browser may have been found just now
    });
    m_links.emplace_back(action, key);
}

QWidget* MainWindow::BuildCentralWidget() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(18, 12, 18, 12);

    m_title = new QLabel(central);
    m_title->setObjectName("titleLabel");
    m_subtitle = new QLabel(central);
    m_subtitle->setObjectName("subtitleLabel");
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
    m_handedOver = new QLabel(central);
    m_handedOver->setObjectName("handedOverLabel");
    m_handedOver->setTextFormat(Qt::PlainText);
    m_handedOver->hide();
    layout->addWidget(m_handedOver);

    m_factsBox = new QGroupBox(central);
    auto* facts = new QFormLayout(m_factsBox);
    for (int row = 0; row < FactCount; ++row) {
        // The machine's description is the one long fact of every installation.
        Fact fact{new QLabel(m_factsBox),
                  new FactLabel(row == Machine ? 2 : 1,
                                row == Browser ? Qt::ElideMiddle : Qt::ElideRight, m_factsBox)};
        fact.value->setObjectName("valueLabel");
        fact.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        facts->addRow(fact.name, fact.value);
        m_facts.push_back(fact);
    }
    layout->addWidget(m_factsBox);

    auto* lower = new QHBoxLayout;
    m_notesBox = new QGroupBox(central);
    auto* notes = new QVBoxLayout(m_notesBox);
    m_notes = new QPlainTextEdit(m_notesBox);
    m_saveNotes = new QPushButton(m_notesBox);
    connect(m_saveNotes, &QPushButton::clicked, this, &MainWindow::SaveNotes);
    notes->addWidget(m_notes);
    notes->addWidget(m_saveNotes, 0, Qt::AlignRight);
    lower->addWidget(m_notesBox, 2);

    m_driverBox = new QGroupBox(central);
    auto* driver = new QVBoxLayout(m_driverBox);
    m_setupDriverButton = new QPushButton(m_driverBox);
    m_unsupportedDriverButton = new QPushButton(m_driverBox);
    connect(m_setupDriverButton, &QPushButton::clicked, this, [this] { ShowDriverMessage(false); });
    connect(m_unsupportedDriverButton, &QPushButton::clicked, this,
            [this] { ShowDriverMessage(true); });
    driver->addWidget(m_setupDriverButton);
    driver->addWidget(m_unsupportedDriverButton);
    driver->addStretch();
    lower->addWidget(m_driverBox, 1);
    layout->addLayout(lower, 1);
    layout->addWidget(new TouchPanel(this, central), 1);
    return central;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    // After the close event has returned, so that a refusing observer may show a box.
    QTimer::singleShot(0, this, [this] { m_application.Get<ILifetimeManager>()->tryToQuit(); });
}

void MainWindow::Retranslate() {
    const auto customization = m_application.GetCustomizationManager();
    const QString product = Utf8ToQString(customization->GetProductName());
    setWindowTitle(product);
    m_fileMenu->setTitle(tr("&File"));
    m_restartAction->setText(tr("&Restart…"));
    m_quitAction->setText(tr("&Quit"));
    m_viewMenu->setTitle(tr("&View"));
    m_languageMenu->setTitle(tr("&Language"));
    m_themeMenu->setTitle(tr("&Theme"));
    m_helpMenu->setTitle(tr("&Help"));
    m_followMenu->setTitle(tr("Follow &us"));
    for (const auto& [action, key] : m_links) {
        action->setText(LinkText(key));
        action->setStatusTip(m_application.GetUrl(key));
    }
    m_setupDriverAction->setText(tr("Message: acceleration disabled…"));
    m_unsupportedDriverAction->setText(tr("Message: driver unsupported…"));

    m_title->setText(product);
    m_subtitle->setText(tr("A product built on the Quorvel application core"));
    m_factsBox->setTitle(tr("This installation"));
    m_facts[Version].name->setText(tr("Version"));
    m_facts[FirstStart].name->setText(tr("Days since first start"));
    m_facts[LaunchKind].name->setText(tr("This start"));
    m_facts[Partner].name->setText(tr("Partner"));
    m_facts[Installer].name->setText(tr("Installer running"));
    m_facts[Theme].name->setText(tr("Theme"));
    m_facts[Language].name->setText(tr("Language"));
    m_facts[Browser].name->setText(tr("Web browser"));
    m_facts[Machine].name->setText(tr("Machine"));
    m_notesBox->setTitle(tr("Notes"));
    m_notes->setPlaceholderText(tr("Type here; quitting with unsaved notes asks first."));
    m_saveNotes->setText(tr("Save notes"));
    m_driverBox->setTitle(tr("Graphics driver messages"));
    m_setupDriverButton->setText(tr("Acceleration disabled"));
    m_unsupportedDriverButton->setText(tr("Driver unsupported"));
    m_status->setText(m_started ? tr("Started") : tr("Starting…"));
    RefreshFacts();
}

void MainWindow::RefreshFacts() {
    const auto product = m_application.GetProductSettingsManager();
    const auto launch = m_application.GetLaunchTypeProcessor();
    const auto hardware = m_application.Get<IHardwareInfo>();
    m_facts[Version].value->SetFact(QCoreApplication::applicationVersion());
    m_facts[FirstStart].value->SetFact(QString::number(m_application.GetDaysPassed()));
    m_facts[LaunchKind].value->SetFact(LaunchTypeText(launch->GetLaunchType()));
    m_facts[Partner].value->SetFact(Utf8ToQString(product->GetString("PartnerName", "")));
    m_facts[Installer].value->SetFact(m_installerRunning ? tr("yes") : tr("no"));
    m_facts[Theme].value->SetFact(
        Utf8ToQString(m_lookAndFeel->GetLocalizedThemeName(m_lookAndFeel->GetCurrentTheme())));
    m_facts[Language].value->SetFact(LocaleLabel(m_lookAndFeel->GetCurrentLocale()));
    // What the browser remembered; asking Path() here would search again while none is found.
    const QString browser =
        m_started ? Utf8ToQString(product->GetString("PreferredBrowser", "")) : QString();
    m_facts[Browser].value->SetFact(
        browser.isEmpty() ? tr("the system's default browser") : QDir::toNativeSeparators(browser),
        m_started ? m_browser.UserAgent() : QString());
    m_facts[Machine].value->SetFact(Utf8ToQString(hardware->GetHardwareText()));
}

void MainWindow::Restart() {
    m_restarting = true;  // the restart asks; quitting for it is not asked about again
    m_application.Get<ILifetimeManager>()->tryToRestart(WorkingMode::Interactive, std::string(),
                                                        RestartArguments());
    m_restarting = false;
}

void MainWindow::SaveNotes() {
    if (auto user = m_application.Get<IUserSettingsManager>()) {
        user->SetString(kNotesKey, QStringToUtf8(m_notes->toPlainText()));
    }
    m_notes->document()->setModified(false);
}

void MainWindow::ShowDriverMessage(bool unsupported) {
    const QString text = unsupported ? GetGPUUnsupportedDriverMessage(kDriverHelpUrl)
                                     : GetGPUNeedSetupDriverMessage(kDriverHelpUrl);
    Quorvel::Util::AlertBox box(Quorvel::Util::AlertBox::Warning, tr("Graphics driver"), text,
                                QMessageBox::Ok, this, Qt::Dialog);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.Exec();
}
