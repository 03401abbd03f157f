#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDesktopServices>

#include <atomic>
#include <thread>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::FixedHardware;
using Quorvel::TestSupport::LogCapture;
using Quorvel::TestSupport::WriteFile;
using Params = QMap<QString, QString>;
using std::make_shared;

namespace {

// JSON written with ' for ", which keeps the tables readable.
QByteArray Json(const char* text) { return QByteArray(text).replace('\'', '"'); }

const QString q = "https://q.example/";

const QByteArray kCustomization = Json(
    "{'organizationName': 'Quorvel Labs/R&D', 'applicationName': 'Quorvel Demo',"
    " 'productName': 'Qö Demo', 'productVersion': '2.1.4.317', 'partnerName': 'a+b=c#d',"
    " 'userAgent': {'product': 'P', 'text': 'T'},"
    " 'locales': {'de_DE': {'productName': 'Quorvel Deutsch'}}}");

// "Q/" stands for https://q.example/; the "a..." addresses are for GenerateUrl.
const QByteArray kLinks =
    Json(
        "{'default': {'HELP': 'Q/help', 'HOME': 'Q/', 'HELP_URL_menu': 'Q/m',"
        "   'FORUM_URL_menu': '', 'LOCALE': 'Q/{language}/h?l={locale}&c={locale}#{country}',"
        "   'PRODUCT': 'Q/{version}/{application}/{product}/{organization}?p={partner}',"
        "   'SERVICES': 'Q/{webuid}/{launchType}/{platform}/{bits}/i{installer}/{hardware}',"
        "   'a': 'Q/a', 'a?x=1': 'Q/a?x=1', 'a?x=1&': 'Q/a?x=1&', 'a?x=1#s?y': 'Q/a?x=1#s?y'},"
        " 'locales': {'de_DE': {'HELP': 'Q/de_DE/help'}, 'ru_RU': {'HOME': ''},"
        "   'de': {'HELP': 'Q/de/help', 'HELP_URL_menu': 'Q/de/m'}}}")
        .replace("Q/", q.toUtf8());

class FakeLookAndFeel : public ILookAndFeelManager {
public:
    std::string locale = "en_US";
    std::list<std::string> none;
    void Initialize(const std::string& l, const std::string&) override { locale = l; }
    const std::string& GetCurrentLocale() const override { return locale; }
    const std::list<std::string>& GetLocales() const override { return none; }
    const std::list<std::string>& GetThemes() const override { return none; }
    void SetLocale(const std::string& l) override { locale = l; }
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return locale; }
    std::string GetLocalizedThemeName(const std::string& theme) const override { return theme; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return "en_US"; }
    void RegisterObserver(ILookAndFeelObserver*) override {}
    void UnregisterObserver(ILookAndFeelObserver*) override {}
};

// Records what QDesktopServices hands to it.
class Receiver : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

}  // namespace

class LinksManagerTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;
    std::shared_ptr<CustomizationManager> m_customization;
    std::shared_ptr<FakeLookAndFeel> m_lookAndFeel;
    std::shared_ptr<UserSettingsManager> m_user;

    QString NewPath(const QString& name) {
        return m_dir.filePath(QString("%1-%2").arg(++m_files).arg(name));
    }

    // A manager reading `file` (by default kLinks) over fresh services; `bare`: no WEBUID
    // stored, no installer settings, no "--background".
    std::unique_ptr<LinksManager> Make(
        QString file = "kLinks", bool bare = false,
        std::shared_ptr<IHardwareInfo> hardware =
            make_shared<FixedHardware>("CPU: x86 (4 cores); RAM: 8 GB")) {
        if (file == "kLinks" && !WriteFile(file = NewPath(LinksManager::FileName), kLinks))
            return nullptr;
        m_customization = CustomizationManager::FromJson(kCustomization, "customization.json");
        m_lookAndFeel = make_shared<FakeLookAndFeel>();
        m_user = make_shared<UserSettingsManager>(NewPath("user.ini"));
        std::shared_ptr<InstallerSettingsManager> installer;
        if (!bare) {
            installer = make_shared<InstallerSettingsManager>(NewPath("installer.ini"));
            installer->SetString("InstallerName", "setup ABC.exe");
            m_user->SetString("WEBUID", "web-1");
        }
        return std::make_unique<LinksManager>(
            m_customization, hardware, m_lookAndFeel,
            make_shared<MailSettingsManager>(NewPath("mail.ini")),
            make_shared<ProductSettingsManager>(NewPath("product.ini")), m_user,
            make_shared<LaunchTypeProcessor>(
                installer, bare ? QStringList{"demo"} : QStringList{"demo", "--background"}),
            installer, file);
    }

private slots:
    // GetUrl without parameters, GenerateUrl with: the locale's table, then its language's,
    // then the default, for the locale at the call; placeholder values and parameters
    // percent-encoded in full, so that each stays one piece; parameters before any fragment.
    void resolvesAndEncodes_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Params>("parameters");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const char* locale, const char* name,
                            const QString& expected, const Params& parameters = {}) {
            QTest::newRow(tag) << QString(locale) << QString(name) << parameters << expected;
        };
        const QString platform =
            "/linux/" + QString::number(sizeof(void*) * 8) +
            "/isetup%20ABC.exe/CPU%3A%20x86%20%284%20cores%29%3B%20RAM%3A%208%20GB";
        const Params b{{"b", "2"}};
        row("own locale", "de_DE", "HELP", q + "de_DE/help");
        row("language of the locale", "de_AT", "HELP", q + "de/help");
        row("in no locale table", "de_DE", "HOME", q);
        row("emptied by a locale", "ru_RU", "HOME", "");
        row("locale placeholders, one twice", "de_DE", "LOCALE", q + "de/h?l=de_DE&c=de_DE#DE");
        row("customization placeholders", "en_US", "PRODUCT",
            q + "2.1.4.317/Quorvel%20Demo/Q%C3%B6%20Demo/Quorvel%20Labs%2FR%26D?p=a%2Bb%3Dc%23d");
        row("service placeholders", "en_US", "SERVICES", q + "web-1/4" + platform);
        row("parameters: space, unicode, in key order", "en_US", "a",
            q + "a?q=x%20y&%D0%B8%D0%BC%D1%8F=Gr%C3%BC%C3%9Fe", {{"имя", "Grüße"}, {"q", "x y"}});
        row("parameters: reserved characters", "en_US", "a",
            q + "a?k%26%3D%2B%23=a%26b%3Dc%2Bd%23e%3F", {{"k&=+#", "a&b=c+d#e?"}});
        row("existing query", "en_US", "a?x=1", q + "a?x=1&b=2", b);
        row("query ends with &", "en_US", "a?x=1&", q + "a?x=1&b=2", b);
        row("before the fragment", "en_US", "a?x=1#s?y", q + "a?x=1&b=2#s?y", b);
        row("empty parameter name left out", "en_US", "a?x=1", q + "a?x=1", {{"", "v"}});
        row("empty address stays empty", "en_US", "FORUM_URL_menu", "", b);
    }
    void resolvesAndEncodes() {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(Params, parameters);
        auto links = Make();
        QVERIFY(links && links->IsLoaded());
        LogCapture capture;
        m_lookAndFeel->locale = locale.toStdString();
        QTEST(parameters.isEmpty() ? links->GetUrl(name) : links->GenerateUrl(name, parameters),
              "expected");
        QCOMPARE(capture.Records().size(), size_t(0));
    }

    // A bad file is reported once, naming it, when it is read; after that every link is
    // silently empty.
    void badFileLogsOneErrorThenEverythingIsEmpty_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* tag, const char* content, const char* problem) {
            QTest::newRow(tag) << Json(content) << QString(problem);
        };
        row("not JSON", "{\n 'default': {,}\n}", "not valid JSON");
        row("no default", "{'locales': {}}", "\"default\" is missing");
        row("unknown member", "{'default': {}, 'local': {}}", "\"local\"");
        row("unknown placeholder",
            "{'default': {}, 'locales': {'de': {'A': 'https://q.example/{lang}'}}}",
            "\"locales.de.A\" uses the unknown placeholder {lang}");
        row("unclosed placeholder", "{'default': {'A': 'https://q.example/{locale'}}",
            "\"{\" without");
        row("space in address", "{'default': {'A': 'https://q.example/a b'}}", "not a valid URL");
        row("relative address", "{'default': {'A': 'q.example/{locale}'}}", "not absolute");
    }
    void badFileLogsOneErrorThenEverythingIsEmpty() {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        const QString path = NewPath(LinksManager::FileName);
        QVERIFY(WriteFile(path, content));
        LogCapture capture;
        auto links = Make(path);
        QVERIFY(!links->IsLoaded());
        m_lookAndFeel->locale = "de_DE";
        QCOMPARE(links->GetUrl("A") + links->GetUrl(URLKeys::HELP_URL_menu) +
                     links->GenerateUrl("HELP", {{"a", "1"}}),
                 QString());
        QVERIFY(capture.Messages(google::GLOG_WARNING).empty());  // building logs at INFO
        QCOMPARE(capture.Messages(google::GLOG_ERROR).size(), size_t(1));
        const QString message = QString::fromStdString(capture.Messages(google::GLOG_ERROR)[0]);
        QVERIFY(message.startsWith(QDir::toNativeSeparators(path) + ": "));
        QVERIFY2(message.contains(problem), qPrintable(message));
    }

    // Without a file argument the file is looked up in the product's standard data folders;
    // a name from a data file must not lead the lookup out of them.
    void defaultPlaceIsTheDataFolder() {
        LogCapture capture;
        for (const QString& application : QStringList{"../links-escape-%1", "links-test-%1"}) {
            QCoreApplication::setApplicationName(application.arg(qApp->applicationPid()));
            const QString folder =
                QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
            QVERIFY(!Make(QString())->IsLoaded());
            QVERIFY(WriteFile(folder + "/links.json", kLinks));
            auto links = Make(QString());
            QCOMPARE(links->GetUrl("HELP"), application.startsWith("..") ? "" : q + "help");
            QDir(folder).removeRecursively();
        }
        QCOMPARE(capture.Count("links.json: the file is in none of the data folders"), 3);
    }

    // GetUrl reads the customization, the settings and the machine's description while
    // another thread changes the first two; each call fills in the values of the moment.
    void getUrlFromSeveralThreads() {
        auto links = Make("kLinks", false, make_shared<HardwareInfo>());
        QVERIFY(links);
        std::atomic<int> wrong{0};
        std::atomic<int> coming{4};  // so that the first calls meet
        Quorvel::TestSupport::RunOnThreads(4, [&](int t) {
            --coming;
            while (coming > 0) std::this_thread::yield();
            for (int i = 0; i < 100; ++i) {
                if (t == 0) {
                    m_user->SetString("WEBUID", i % 2 ? "web-a" : "web-b");
                    m_customization->SwitchLocale(i % 2 ? "de_DE" : "en_US");
                } else {
                    wrong += !links->GetUrl("SERVICES").startsWith(q + "web-");
                }
            }
        });
        QCOMPARE(wrong.load(), 0);
        m_customization->SwitchLocale("de_DE");
        m_user->SetString("WEBUID", "web-2");
        QVERIFY(links->GetUrl("PRODUCT").contains("/Quorvel%20Deutsch/"));
        QVERIFY(links->GetUrl("SERVICES").startsWith(q + "web-2/"));
    }

    // With nothing stored the service placeholders have defaults. A name without an address
    // warns once per name; OpenUrl opens what a key resolves to and warns about an empty
    // address; a required service must be there.
    void defaultsAndProblems() {
        auto links = Make("kLinks", true);
        QVERIFY(links);
        QCOMPARE(links->GetUrl("SERVICES").section('/', 3, 5), QString("UNDEFINED/0/linux"));
        QVERIFY(links->GetUrl("SERVICES").contains("/i/CPU"));
        m_lookAndFeel->locale = "de_DE";
        Receiver receiver;
        QDesktopServices::setUrlHandler("https", &receiver, "open");
        LogCapture capture;
        links->OpenUrl(URLKeys::HELP_URL_menu);
        QCOMPARE(capture.Records().size(), size_t(0));
        links->OpenUrl(URLKeys::FORUM_URL_menu);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(receiver.opened, QStringList{q + "de/m"});
        QCOMPARE(capture.Messages(google::GLOG_WARNING).size(), size_t(1));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(links->GetUrl("NOPE") + links->GetUrl(URLKeys::FAQ_URL), QString());
        }
        QCOMPARE(capture.Records().size(), size_t(3));
        QCOMPARE(capture.Count(links->GetFile().toStdString() + ": no address for the link"), 2);
        QCOMPARE(capture.Count("\"FAQ_URL\""), 1);
        QVERIFY_EXCEPTION_THROWN(Make("kLinks", false, nullptr), std::logic_error);
    }
};

QUORVEL_TEST_MAIN(LinksManagerTest)
#include "tst_LinksManager.moc"
