// The demo product: a small but complete product built on the Quorvel application core.
#include "CrashLog.h"
#include "DemoSplash.h"
#include "HeadlessTour.h"
#include "HomeFolder.h"
#include "LookAndFeelApplier.h"
#include "MainWindow.h"
#include "QuitConfirmation.h"
#include "SupportDiagnostics.h"
#include "UnsavedWorkGuard.h"
#include "UpdateChecker.h"

#include <Quorvel/Appearance.h>
#include <Quorvel/ApplicationCore.h>
#include <Quorvel/Handover.h>
#include <Quorvel/QtUtil.h>
#include <Quorvel/Services.h>

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <glog/logging.h>

#include <iostream>

using namespace Quorvel::App;

namespace {

struct DemoOptions {
    QString dataDirectory;
    QString screenshotDirectory;  // empty: an interactive run
    QString linkToOpen;           // a links.json name, opened once started
    QString problem;              // why the options cannot be used
};

// A path longer than any file system takes, or a name longer than any in links.json, is a
// mistake: refused before it reaches a file or the log.
constexpr int kMaxPath = 4096;
constexpr int kMaxName = 256;

// Unknown options are left alone: they belong to the library's own features.
DemoOptions ParseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption dataDir("data-dir", "The product data directory.", "path");
    const QCommandLineOption screenshots(
        "screenshot-dir", "Tour every theme and language, save pictures there, then quit.", "path");
    const QCommandLineOption open(
        "open", "Once started, open the address that links.json gives this name.", "name");
    parser.addOption(dataDir);
    parser.addOption(screenshots);
    parser.addOption(open);
    parser.parse(arguments);
    DemoOptions options;
    // As given: a folder's name on Linux is bytes, which need not be UTF-8.
    options.dataDirectory = parser.isSet(dataDir) ? CommandLinePath(parser.value(dataDir))
                                                  : QCoreApplication::applicationDirPath() +
                                                        "/../share/" QUORVEL_DEMO_NAME;
    options.screenshotDirectory = CommandLinePath(parser.value(screenshots));
    options.linkToOpen = parser.value(open);
    for (const auto& [option, limit] :
         {std::pair{&dataDir, kMaxPath}, {&screenshots, kMaxPath}, {&open, kMaxName}}) {
        if (parser.value(*option).size() > limit) {
            options.problem = QString(
                                  "The value of --%1 has %2 characters, more than the %3 it "
                                  "may have.")
                                  .arg(option->names().first())
                                  .arg(parser.value(*option).size())
                                  .arg(limit);
        }
    }
    return options;
}

QString PrepareLogDirectory() {
    const QString directory =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        "/quorvel-demo/logs";
    QDir().mkpath(directory);
    FLAGS_log_dir = directory.toStdString();
    FLAGS_alsologtostderr = true;
    return directory;
}

void ReportStartupFailure(const QString& text, bool interactive) {
    std::cerr << text.toStdString() << std::endl;
    if (interactive) {
        Quorvel::Util::AlertBox(Quorvel::Util::AlertBox::Critical,
                                QCoreApplication::translate("Demo", "Cannot start"), text,
                                QMessageBox::Ok, nullptr, Qt::Dialog)
            .Exec();
    }
}

}  // namespace

int main(int argc, char** argv) {
    google::InitGoogleLogging(argv[0]);
    google::InstallFailureSignalHandler();
    std::string homeFromDatabase;
    try {
        homeFromDatabase = EnsureHomeFolder();
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;  // nowhere else to say it yet
        return 1;
    }

    HighDpiFix();
    UseDesktopOpenGL();
    auto lifetime = std::make_shared<LifetimeManager>();
    Application app(argc, argv, lifetime);
    app.setQuitOnLastWindowClosed(false);  // only the lifetime manager decides to quit
    // SIGTERM, SIGINT and SIGHUP ask the observers, as File → Quit does; faults stay glog's.
    QuitSignalHandler quitSignals(lifetime);

    const DemoOptions options = ParseOptions(QCoreApplication::arguments());
    const bool interactive = options.screenshotDirectory.isEmpty();
    const QString logDirectory = PrepareLogDirectory();
    if (!homeFromDatabase.empty()) {
        LOG(WARNING) << "HOME is not set; the home folder of the password database is used: "
                     << homeFromDatabase;
    }
    if (!options.problem.isEmpty()) {
        LOG(ERROR) << options.problem.toStdString();
        ReportStartupFailure(options.problem, interactive);
        return 1;
    }
    const QDir data(options.dataDirectory);

    std::shared_ptr<CustomizationManager> customization;
    std::unique_ptr<SupportDiagnostics> diagnostics;
    try {
        diagnostics =
            std::make_unique<SupportDiagnostics>(lifetime);  // contradicting options throw
        customization =
            CustomizationManager::FromFile(data.filePath(CustomizationManager::FileName));
    } catch (const std::exception& error) {
        LOG(ERROR) << error.what();
        ReportStartupFailure(QString::fromUtf8(error.what()), interactive);
        return 1;
    }
    // A second interactive launch gives its command line to the running window and ends. The
    // key is the product's name in the form no language changes.
    std::unique_ptr<InstanceHandover> handover;
    if (interactive) {
        handover = std::make_unique<InstanceHandover>(
            Quorvel::Util::Utf8ToQString(customization->GetApplicationName()));
        if (!handover->IsPrimary() &&
            handover->HandOver(QCoreApplication::arguments().mid(1), QDir::currentPath())) {
            return 0;
        }
    }
    app.SetCustomizationManager(customization);  // names the application, logs the start-up
    InstallCrashLog(logDirectory.toStdString() + "/" QUORVEL_DEMO_NAME ".INFO");

    // The stores take their place from the names the customization just gave.
    auto applicationSettings = std::make_shared<ApplicationSettingsManager>();
    auto productSettings = std::make_shared<ProductSettingsManager>();
    auto installerSettings = std::make_shared<InstallerSettingsManager>();
    app.Set<IApplicationSettingsManager>(applicationSettings);
    app.Set<IProductSettingsManager>(productSettings);
    app.Set<IInstallerSettingsManager>(installerSettings);
    app.Set<IUserSettingsManager>(std::make_shared<UserSettingsManager>());
    app.Set<IMailSettingsManager>(std::make_shared<MailSettingsManager>());
    app.Set<IHardwareInfo>(std::make_shared<HardwareInfo>());
    if (!productSettings->Contains("DateOfFirstStart")) {
        productSettings->SetString("DateOfFirstStart",
                                   std::to_string(QDateTime::currentSecsSinceEpoch()));
    }
    app.SetLaunchTypeProcessor(std::make_shared<LaunchTypeProcessor>(installerSettings));

    auto lookAndFeel =
        std::make_shared<LookAndFeelManager>(Quorvel::ioPath(data.absolutePath().toStdString()),
                                             "titles.json", std::list<std::string>());
    app.SetLookAndFeel(lookAndFeel);
    auto links = std::make_shared<LinksManager>(
        customization, app.Get<IHardwareInfo>(), lookAndFeel, app.GetMailSettingsManager(),
        productSettings, app.Get<IUserSettingsManager>(), app.GetLaunchTypeProcessor(),
        installerSettings, data.filePath(LinksManager::FileName));
    app.SetLinksManager(links);
    // Every web request of the product carries its identifying headers.
    auto httpClient = std::make_shared<Quorvel::Networking::HttpClient>(createDefaultUpdater());
    app.Set<Quorvel::Networking::IHttpClient>(httpClient);
    diagnostics->Initialize(customization, lookAndFeel, links);
    app.setProperty("linkStyle", "color: #2f6fdf; text-decoration: underline;");
    LookAndFeelApplier applier(lookAndFeel, applicationSettings, customization,
                               interactive ? LookAndFeelApplier::Choices::Remembered
                                           : LookAndFeelApplier::Choices::LeftAlone);
    applier.Restore();

    auto splash =
        std::make_shared<DemoSplash>(Quorvel::Util::Utf8ToQString(customization->GetProductName()));
    splash->Show();
    app.SetSplash(splash);

    // From here on every web link of the product opens in the browser the installer recorded.
    PreferredBrowser browser(lookAndFeel, productSettings, installerSettings);
    ApplicationRegistryUpdater registryUpdater(productSettings);
    InstallerUpdater installerUpdater(productSettings);
    AutoUpdateRequester updateRequester(customization, productSettings);
    // After an installation the thank-you page opens in that browser once the window is up.
    Tyfi thankYouPage(customization, links, installerSettings, productSettings,
                      app.GetLaunchTypeProcessor(), app.GetExternalStimulusGateway());
    // The built-in rule only keeps background starts out; here the page belongs to the first
    // start after an installation or a reinstallation.
    thankYouPage.setCustomNeedOpenChecker([launch = app.GetLaunchTypeProcessor()] {
        return launch->GetLaunchType() == LaunchType::AfterInstall ||
               launch->GetLaunchType() == LaunchType::AfterReinstall;
    });
    // Last: its dialog, on the first start after installation, is modal.
    EmailCollector emailCollector(customization, links, app.GetMailSettingsManager(),
                                  app.GetLaunchTypeProcessor(), app.GetExternalStimulusGateway(),
                                  httpClient);
    const std::vector<IExtension*> extensions{&registryUpdater, &browser,      &installerUpdater,
                                              &updateRequester, &thankYouPage, &emailCollector};

    MainWindow window(app, lookAndFeel, browser, Application::CheckRunnedInstaller());
    // The theme follows the desktop's light or dark preference while the user wants it to.
    // The tour's visit leaves the user's choice alone: it keeps it in a store of its own.
    QTemporaryDir tourSettings;
    DesktopAppearance desktop;
    ThemeFollower follower(
        lookAndFeel,
        interactive ? std::shared_ptr<ISettingsManager>(applicationSettings)
                    : std::make_shared<SettingsStore>("tour", tourSettings.filePath("tour.ini")),
        &desktop);
    follower.SetThemes("light", "dark");
    window.FollowTheDesktop(follower, desktop);
    window.show();
    if (handover) {
        QObject::connect(handover.get(), &InstanceHandover::Received, &window,
                         &MainWindow::ShowHandedOver);
    }
    UpdateChecker updateChecker(window, window.HelpMenu(), httpClient, links, customization,
                                productSettings);
    updateRequester.setAutoUpdateRequestCallback([&updateChecker] { updateChecker.Check(); });

    UnsavedWorkGuard guard([&window] { return window.HasUnsavedWork(); }, &window);
    lifetime->RegisterEventHandler(&guard);
    QuitConfirmation quitConfirmation(
        applicationSettings, [&window] { return window.HasUnsavedWork() || window.IsRestarting(); },
        &window);
    lifetime->RegisterEventHandler(&quitConfirmation);
    lifetime->addOnStartCallback([&extensions] {
        for (IExtension* extension : extensions) {
            extension->onStart();
        }
    });
    lifetime->addOnStartCallback([&window] { window.ShowStarted(); });
    if (!options.linkToOpen.isEmpty()) {
        lifetime->addOnStartCallback(
            [&links, &options] { links->OpenUrl(links->GetUrl(options.linkToOpen)); });
    }

    HeadlessTour tour(window, lookAndFeel, lifetime, options.screenshotDirectory);
    tour.SetUpdateChecker(&updateChecker);
    tour.SetDesktop(&desktop);
    if (!interactive) {
        lifetime->addOnStartCallback([&tour] { QTimer::singleShot(0, &tour, &HeadlessTour::Run); });
    }

    // Started once the event loop runs and the window is up.
    QTimer::singleShot(0, [&lifetime] { lifetime->start(); });
    const int code = app.exec();
    lifetime->UnregisterEventHandler(&quitConfirmation);
    lifetime->UnregisterEventHandler(&guard);

    if (!interactive) {
        std::cout << "Pictures of the main window and its dialogs:\n";
        for (const QString& picture : tour.Pictures()) {
            std::cout << "  " << picture.toStdString() << "\n";
        }
        std::cout << "Log: " << logDirectory.toStdString() << "/" QUORVEL_DEMO_NAME ".INFO"
                  << std::endl;
        if (tour.Failed()) {
            std::cerr << "The tour failed: see the ERROR records above for its pictures"
                      << std::endl;
            return code == 0 ? 1 : code;
        }
    }
    return code;
}
