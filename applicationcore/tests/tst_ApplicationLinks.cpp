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
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::LogCapture;

namespace {

// Answers every key with its number, and remembers what it was asked.
class KeyEcho : public ILinksManager {
public:
    QString GetUrl(const QString& name) override { return name; }
    QString GetUrl(URLKeys key) override {
        asked << static_cast<int>(key);
        return QString("key:%1").arg(static_cast<int>(key));
    }
    QString GenerateUrl(const QString& name, QMap<QString, QString>) override { return name; }
    void OpenUrl(const QString&) override {}
    void OpenUrl(URLKeys) override {}
    QList<int> asked;
};

class LinksWatcher : public TopManagerObserver {
public:
    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<ILinksManager>& newValue,
                          const std::shared_ptr<ILinksManager>&) override {
        heard << newValue;
    }
    QList<std::shared_ptr<ILinksManager>> heard;
};

// An application whose context holds every service the fallback links manager needs, in a
// private folder, with links.json where the fallback looks for it.
struct LinksFixture {
    int argc = 1;
    char name[24] = "tst_ApplicationLinks";
    char* argv[2] = {name, nullptr};
    QTemporaryDir dir;
    std::unique_ptr<Application> app;

    LinksFixture() {
        app = std::make_unique<Application>(argc, argv, std::make_shared<LifetimeManager>(),
                                            Application::DISABLE_APP_MUTEX);
        app->SetCustomizationManager(CustomizationManager::FromJson(
            R"({"organizationName": "Quorvel Links Org", "applicationName": "Links Test",
            "productName": "Links Test", "productVersion": "3.4.5.6", "partnerName": "acme",
            "userAgent": {"product": "T", "text": "T/3"}})",
            "test"));
        auto installer = std::make_shared<InstallerSettingsManager>(dir.filePath("i.ini"));
        app->Set<IInstallerSettingsManager>(installer);
        app->Set<IProductSettingsManager>(
            std::make_shared<ProductSettingsManager>(dir.filePath("p.ini")));
        app->Set<IMailSettingsManager>(
            std::make_shared<MailSettingsManager>(dir.filePath("m.ini")));
        app->Set<IUserSettingsManager>(
            std::make_shared<UserSettingsManager>(dir.filePath("u.ini")));
        app->Set<IHardwareInfo>(std::make_shared<HardwareInfo>());
        app->Set<ILaunchTypeProcessor>(std::make_shared<LaunchTypeProcessor>(installer));
        auto lookAndFeel = std::make_shared<LookAndFeelManager>(
            Quorvel::ioPath(dir.path().toStdString()), "titles.json", std::list<std::string>());
        app->SetLookAndFeel(lookAndFeel);
    }

    // Into the product's standard data folder, which follows the names set above.
    static QString WriteLinks(const QByteArray& json) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
        QFile file(folder + "/" + LinksManager::FileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(json) < 0) {
            qFatal("cannot write %s", qPrintable(file.fileName()));
        }
        return file.fileName();
    }
};

}  // namespace

class ApplicationLinksTest : public QObject {
    Q_OBJECT
private slots:
    void storedManagerIsUsedSilently() {
        const int key = static_cast<int>(URLKeys::LIVECHAT_URL_app_share);
        LinksFixture f;
        auto stored = std::make_shared<KeyEcho>();
        f.app->SetLinksManager(stored);
        LogCapture log;

        QCOMPARE(f.app->GetLinksManager(), std::static_pointer_cast<ILinksManager>(stored));
        QCOMPARE(f.app->GetUrl(static_cast<URLKeys>(key)), QString("key:%1").arg(key));
        QCOMPARE(stored->asked, QList<int>{key});
        QVERIFY(log.Messages().empty());
    }

    void fallbackIsBuiltOnceAndAnnounced() {
        LinksFixture f;
        const QString links = LinksFixture::WriteLinks(
            "{\"default\": {\"HELP_URL_menu\": \"https://help.example/{locale}/{version}\"}}");
        LinksWatcher watcher;
        f.app->RegisterEventHandler(&watcher);
        LogCapture log;

        const auto fallback = f.app->GetLinksManager();
        QVERIFY(std::dynamic_pointer_cast<LinksManager>(fallback));
        QVERIFY(!log.Messages(google::GLOG_ERROR).empty());  // a use before SetLinksManager
        QCOMPARE(watcher.heard, QList<std::shared_ptr<ILinksManager>>{fallback});

        // Later calls reuse it without a word, and it really resolves from links.json.
        log.Clear();
        QCOMPARE(f.app->GetLinksManager(), fallback);
        QCOMPARE(f.app->GetUrl(URLKeys::HELP_URL_menu),
                 QString("https://help.example/%1/3.4.5.6")
                     .arg(QString::fromStdString(f.app->GetLookAndFeel()->GetCurrentLocale())));
        QVERIFY(log.Messages(google::GLOG_ERROR).empty());
        QCOMPARE(watcher.heard.size(), 1);
        f.app->UnregisterEventHandler(&watcher);
        QFile::remove(links);
    }

    void missingServiceThrowsAfterTheBanner_data() {
        QTest::addColumn<QString>("missing");
        QTest::newRow("user settings") << "user";
        QTest::newRow("customization") << "customization";
        QTest::newRow("launch type") << "launch";
    }
    void missingServiceThrowsAfterTheBanner() {
        QFETCH(QString, missing);
        LinksFixture f;
        if (missing == "user") {
            f.app->Set<IUserSettingsManager>(nullptr);
        } else if (missing == "customization") {
            f.app->Set<ICustomizationManager>(nullptr);
        } else {
            f.app->Set<ILaunchTypeProcessor>(nullptr);
        }
        LogCapture log;

        for (int attempt = 1; attempt <= 2; ++attempt) {
            log.Clear();
            QVERIFY_EXCEPTION_THROWN(f.app->GetUrl(URLKeys::HELP_URL_menu), std::logic_error);
            // Nothing was stored, so every attempt announces itself again.
            QVERIFY(!f.app->Get<ILinksManager>());
            QVERIFY(!log.Messages(google::GLOG_ERROR).empty());
        }
    }
};

QUORVEL_TEST_MAIN_NOAPP(ApplicationLinksTest)
#include "tst_ApplicationLinks.moc"
