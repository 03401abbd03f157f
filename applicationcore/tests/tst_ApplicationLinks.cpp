#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/RecordingLinks.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::LogCapture;

namespace {

struct LinksWatcher : TopManagerObserver {
    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<ILinksManager>& now,
                          const std::shared_ptr<ILinksManager>&) override {
        heard << now;
    }
    QList<std::shared_ptr<ILinksManager>> heard;
};

// An application whose context holds every service the fallback links manager needs.
struct LinksFixture {
    int argc = 1;
    char name[24] = "tst_ApplicationLinks";
    char* argv[2] = {name, nullptr};
    QTemporaryDir dir;
    Application app{argc, argv, std::make_shared<LifetimeManager>(),
                    Application::DISABLE_APP_MUTEX};
    LinksFixture() {
        app.SetCustomizationManager(CustomizationManager::FromJson(
            R"({"organizationName": "Links Org", "applicationName": "Links Test",
            "productName": "Links Test", "productVersion": "3.4.5.6", "partnerName": "acme",
            "userAgent": {"product": "T", "text": "T/3"}})",
            "test"));
        auto installer = std::make_shared<InstallerSettingsManager>(dir.filePath("i.ini"));
        app.Set<IInstallerSettingsManager>(installer);
        app.Set<IProductSettingsManager>(
            std::make_shared<ProductSettingsManager>(dir.filePath("p.ini")));
        app.Set<IMailSettingsManager>(std::make_shared<MailSettingsManager>(dir.filePath("m.ini")));
        app.Set<IUserSettingsManager>(std::make_shared<UserSettingsManager>(dir.filePath("u.ini")));
        app.Set<IHardwareInfo>(std::make_shared<HardwareInfo>());
        app.Set<ILaunchTypeProcessor>(std::make_shared<LaunchTypeProcessor>(installer));
        app.SetLookAndFeel(std::make_shared<LookAndFeelManager>(
            Quorvel::ioPath(dir.path().toStdString()), "titles.json", std::list<std::string>()));
    }
};

const char* const kLinks =
    R"({"default": {"HELP_URL_menu": "https://help.example/{locale}/{version}"}})";

}  // namespace

class ApplicationLinksTest : public QObject {
    Q_OBJECT
private slots:
    void storedManagerIsUsedSilently() {
        LinksFixture f;
        auto stored = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        stored->urls[URLKeys::HELP_URL_menu] = "https://stored.example/";
        f.app.SetLinksManager(stored);
        LogCapture log;
        QCOMPARE(f.app.GetUrl(URLKeys::HELP_URL_menu), QString("https://stored.example/"));
        QVERIFY(log.Messages().empty());
    }

    // Without one, a links manager is built from links.json in the product's data folder,
    // announced once, with an ERROR (a use before SetLinksManager), then reused silently.
    void fallbackIsBuiltOnceAndAnnounced() {
        LinksFixture f;
        const QString links = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                              "/" + LinksManager::FileName;
        QVERIFY(Quorvel::TestSupport::WriteFile(links, kLinks));
        LinksWatcher watcher;
        f.app.RegisterEventHandler(&watcher);
        LogCapture log;
        const auto fallback = f.app.GetLinksManager();
        const size_t banner = log.Messages(google::GLOG_ERROR).size();
        QVERIFY(banner > 0);
        QCOMPARE(f.app.GetLinksManager(), fallback);
        QCOMPARE(f.app.GetUrl(URLKeys::HELP_URL_menu),
                 "https://help.example/" +
                     QString::fromStdString(f.app.GetLookAndFeel()->GetCurrentLocale()) +
                     "/3.4.5.6");
        QCOMPARE(log.Messages(google::GLOG_ERROR).size(), banner);
        QCOMPARE(watcher.heard, QList<std::shared_ptr<ILinksManager>>{fallback});
        f.app.UnregisterEventHandler(&watcher);
        QFile::remove(links);
    }

    // A missing service fails the construction; nothing is stored, so every attempt announces
    // itself again.
    void missingServiceThrows() {
        LinksFixture f;
        f.app.Set<IUserSettingsManager>(nullptr);
        LogCapture log;
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QVERIFY_EXCEPTION_THROWN(f.app.GetUrl(URLKeys::HELP_URL_menu), std::logic_error);
            QVERIFY(!f.app.Get<ILinksManager>());
            QVERIFY(log.Messages(google::GLOG_ERROR).size() > 0);
            log.Clear();
        }
    }
};

QUORVEL_TEST_MAIN_NOAPP(ApplicationLinksTest)
#include "tst_ApplicationLinks.moc"
