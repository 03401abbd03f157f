#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrlQuery>

using namespace Quorvel::App;
using Quorvel::URLKeys;
using Quorvel::TestSupport::LogCapture;
using Params = QMap<QString, QString>;

namespace {

const char* const kCustomization =
    "{'organizationName': 'Quorvel Labs/R&D', 'applicationName': 'Quorvel Demo',"
    "    'productName': 'Qö Demo', 'productVersion': '2.1.4.317', 'partnerName': 'a+b=c#d',"
    "    'userAgent': {'product': 'P', 'text': 'T'},"
    "    'locales': {'de_DE': {'productName': 'Quorvel Deutsch'}}}";

class FakeLookAndFeel : public ILookAndFeelManager {
public:
    std::string locale = "en_US";
    std::string theme = "light";
    std::list<std::string> none;

    void Initialize(const std::string& l, const std::string&) override { locale = l; }
    const std::string& GetCurrentLocale() const override { return locale; }
    const std::list<std::string>& GetLocales() const override { return none; }
    const std::list<std::string>& GetThemes() const override { return none; }
    void SetLocale(const std::string& l) override { locale = l; }
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return theme; }
    std::string GetLocalizedThemeName(const std::string& theme) const override { return theme; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return "en_US"; }
    void RegisterObserver(ILookAndFeelObserver*) override {}
    void UnregisterObserver(ILookAndFeelObserver*) override {}
};

class FakeHardware : public IHardwareInfo {
public:
    std::string GetHardwareText() const override { return "CPU: x86 (4 cores); RAM: 8 GB"; }
};

// Records what QDesktopServices hands to it.
class Receiver : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

// JSON written with ' for ", which keeps the tables readable.
QByteArray Json(const char* text) { return QByteArray(text).replace('\'', '"'); }

// A data row of text cells, one for each column.
void Row(const char* name, const QStringList& cells) {
    QTestData& row = QTest::newRow(name);
    for (const QString& cell : cells) {
        row << cell;
    }
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

}  // namespace

class LinksManagerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_files = 0;
    std::shared_ptr<CustomizationManager> m_customization;
    std::shared_ptr<FakeLookAndFeel> m_lookAndFeel;
    std::shared_ptr<UserSettingsManager> m_user;
    std::shared_ptr<InstallerSettingsManager> m_installer;
    std::shared_ptr<LaunchTypeProcessor> m_launch;

    QString NewPath(const QString& name) {
        return m_dir.filePath(QString("%1-%2").arg(++m_files).arg(name));
    }

    // Fresh services; `bare` leaves out WEBUID, the installer settings and "--background".
    void Services(bool bare = false) {
        m_customization =
            CustomizationManager::FromJson(Json(kCustomization), "customization.json");
        m_lookAndFeel = std::make_shared<FakeLookAndFeel>();
        m_user = std::make_shared<UserSettingsManager>(NewPath("user.ini"));
        m_installer = bare ? nullptr : std::make_shared<InstallerSettingsManager>(NewPath("i.ini"));
        if (!bare) {
            m_user->SetString("WEBUID", "web-1");
            m_installer->SetString("InstallerName", "setup ABC.exe");
        }
        m_launch = std::make_shared<LaunchTypeProcessor>(
            m_installer, bare ? QStringList{"demo"} : QStringList{"demo", "--background"});
    }

    // A manager over the current services; `missing` leaves out that required one.
    std::unique_ptr<LinksManager> Make(const QString& file, int missing = -1) {
        const auto pick = [missing](int index, auto service) {
            return index == missing ? decltype(service)() : service;
        };
        using std::make_shared;
        return std::make_unique<LinksManager>(
            pick(0, std::shared_ptr<ICustomizationManager>(m_customization)),
            pick(1, std::shared_ptr<IHardwareInfo>(make_shared<FakeHardware>())),
            pick(2, std::shared_ptr<ILookAndFeelManager>(m_lookAndFeel)),
            pick(3, std::shared_ptr<IMailSettingsManager>(
                        make_shared<MailSettingsManager>(NewPath("mail.ini")))),
            pick(4, std::shared_ptr<IProductSettingsManager>(
                        make_shared<ProductSettingsManager>(NewPath("product.ini")))),
            pick(5, std::shared_ptr<IUserSettingsManager>(m_user)),
            pick(6, std::shared_ptr<ILaunchTypeProcessor>(m_launch)), m_installer, file);
    }

    std::unique_ptr<LinksManager> MakeWith(const QByteArray& json) {
        const QString path = NewPath(LinksManager::FileName);
        return WriteFile(path, json) ? Make(path) : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // A locale's table wins over its language's, which wins over the default; the locale in
    // effect at the call decides.
    void localeOverridesAndLanguageFallback_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QString q = "https://q.example/";
        Row("default", {"en_US", "HELP", q + "help"});
        Row("own locale", {"de_DE", "HELP", q + "de_DE/help"});
        Row("language of locale", {"de_DE", "FORUM", q + "de/forum"});
        Row("other country, language", {"de_AT", "HELP", q + "de/help"});
        Row("language alone", {"de", "FORUM", q + "de/forum"});
        Row("in no locale table", {"de_AT", "HOME", q});
        Row("emptied by a locale", {"ru_RU", "HOME", ""});
        Row("not emptied elsewhere", {"ru_RU", "FORUM", q + "forum"});
        Row("no locale", {"", "HELP", q + "help"});
        Row("named by key", {"de_DE", "HELP_URL_menu", q + "de/m"});
    }
    void localeOverridesAndLanguageFallback() {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        Services();
        m_lookAndFeel->locale = "fr_FR";  // only the locale at the call may count
        auto links = MakeWith(Json(
            "{'default': {'HELP': 'https://q.example/help', 'FORUM': 'https://q.example/forum',"
            "             'HOME': 'https://q.example/', 'HELP_URL_menu': 'https://q.example/m'},"
            " 'locales': {'de_DE': {'HELP': 'https://q.example/de_DE/help'},"
            "             'de': {'HELP': 'https://q.example/de/help',"
            "                    'FORUM': 'https://q.example/de/forum',"
            "                    'HELP_URL_menu': 'https://q.example/de/m'},"
            "             'ru_RU': {'HOME': ''}}}"));
        QVERIFY(links && links->IsLoaded());
        LogCapture capture;
        m_lookAndFeel->locale = locale.toStdString();
        QCOMPARE(links->GetUrl(name), expected);
        if (name == "HELP_URL_menu") {
            QCOMPARE(links->GetUrl(URLKeys::HELP_URL_menu), expected);
        }
        QCOMPARE(capture.Records().size(), size_t(0));
    }

    void placeholders_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("bare");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* address, bool bare,
                            const char* expected) {
            QTest::newRow(name) << QString("https://q.example/%1").arg(address) << bare
                                << QString("https://q.example/%1").arg(expected);
        };
        row("locale", "{locale}", false, "de_DE");
        row("language", "{language}", false, "de");
        row("country", "{country}", false, "DE");
        row("version", "v{version}", false, "v2.1.4.317");
        row("application, space", "{application}", false, "Quorvel%20Demo");
        row("product, localized", "{product}", false, "Quorvel%20Deutsch");
        row("organization, slash and ampersand", "{organization}", false, "Quorvel%20Labs%2FR%26D");
        row("partner, reserved characters", "?p={partner}", false, "?p=a%2Bb%3Dc%23d");
        row("webuid", "{webuid}", false, "web-1");
        row("webuid not stored", "{webuid}", true, "UNDEFINED");
        row("launch type background", "{launchType}", false, "4");
        row("launch type regular", "{launchType}", true, "0");
        row("platform", "{platform}", false, "linux");
        row("bits", "{bits}", false, sizeof(void*) == 8 ? "64" : "32");
        row("hardware", "{hardware}", false, "CPU%3A%20x86%20%284%20cores%29%3B%20RAM%3A%208%20GB");
        row("installer", "{installer}", false, "setup%20ABC.exe");
        row("no installer settings", "i{installer}", true, "i");
        row("several, one twice", "{language}/h?l={locale}&v={version}&c={locale}#{country}", false,
            "de/h?l=de_DE&v=2.1.4.317&c=de_DE#DE");
    }
    void placeholders() {
        QFETCH(QString, address);
        QFETCH(bool, bare);
        QFETCH(QString, expected);
        Services(bare);
        m_lookAndFeel->locale = "de_DE";
        m_customization->SwitchLocale("de_DE");
        auto links = MakeWith(QString(Json("{'default': {'X': '%1'}}")).arg(address).toUtf8());
        QVERIFY(links);
        QCOMPARE(links->GetUrl("X"), expected);
    }

    void placeholdersAreFilledAtEachCall() {
        Services();
        auto links =
            MakeWith(Json("{'default': {'X': 'https://q.example/{product}/{webuid}?l={locale}'}}"));
        QVERIFY(links);
        QCOMPARE(links->GetUrl("X"), QString("https://q.example/Q%C3%B6%20Demo/web-1?l=en_US"));
        m_customization->SwitchLocale("de_DE");
        m_lookAndFeel->locale = "ru_RU";
        m_user->SetString("WEBUID", "web-2");
        QCOMPARE(links->GetUrl("X"), QString("https://q.example/Quorvel%20Deutsch/web-2?l=ru_RU"));
    }

    void generateUrlEncodesQuery_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<Params>("parameters");
        QTest::addColumn<QString>("expected");
        const QString a = "https://q.example/a";
        QTest::newRow("space") << a << Params{{"q", "x y"}} << a + "?q=x%20y";
        QTest::newRow("reserved characters")
            << a << Params{{"k&=+#", "a&b=c+d#e?"}} << a + "?k%26%3D%2B%23=a%26b%3Dc%2Bd%23e%3F";
        QTest::newRow("unicode") << a << Params{{"имя", "Grüße"}}
                                 << a + "?%D0%B8%D0%BC%D1%8F=Gr%C3%BC%C3%9Fe";
        QTest::newRow("several, in key order")
            << a << Params{{"b", "2"}, {"a", "1"}} << a + "?a=1&b=2";
        QTest::newRow("existing query") << a + "?x=1" << Params{{"b", "2"}} << a + "?x=1&b=2";
        QTest::newRow("query ends with ?") << a + "?" << Params{{"b", "2"}} << a + "?b=2";
        QTest::newRow("query ends with &") << a + "?x=1&" << Params{{"b", "2"}} << a + "?x=1&b=2";
        QTest::newRow("fragment") << a + "#top" << Params{{"b", "2"}} << a + "?b=2#top";
        QTest::newRow("query and fragment with ?")
            << a + "?x=1#s?y" << Params{{"b", "2"}} << a + "?x=1&b=2#s?y";
        QTest::newRow("empty value") << a << Params{{"b", ""}} << a + "?b=";
        QTest::newRow("empty name left out") << a << Params{{"", "v"}, {"b", "2"}} << a + "?b=2";
        QTest::newRow("no parameters") << a + "?x=1" << Params{} << a + "?x=1";
        QTest::newRow("placeholder")
            << "https://q.example/{locale}" << Params{{"b", "2"}} << "https://q.example/en_US?b=2";
        QTest::newRow("empty address stays empty") << "" << Params{{"b", "2"}} << "";
    }
    void generateUrlEncodesQuery() {
        QFETCH(QString, address);
        QFETCH(Params, parameters);
        QFETCH(QString, expected);
        Services();
        auto links = MakeWith(QString(Json("{'default': {'X': '%1'}}")).arg(address).toUtf8());
        QVERIFY(links);
        const QString url = links->GenerateUrl("X", parameters);
        QCOMPARE(url, expected);
        if (url.isEmpty()) {
            return;
        }
        // What a server decodes must be what was passed.
        const QUrl parsed(url, QUrl::StrictMode);
        QVERIFY2(parsed.isValid(), qPrintable(parsed.errorString()));
        Params decoded;
        for (const auto& item : QUrlQuery(parsed).queryItems(QUrl::FullyDecoded)) {
            decoded.insert(item.first, item.second);
        }
        for (auto it = parameters.begin(); it != parameters.end(); ++it) {
            QVERIFY(it.key().isEmpty() || decoded.value(it.key(), "<none>") == it.value());
        }
    }

    // A bad file is reported once, when it is read; after that every link is silently empty.
    void badFileLogsOneErrorThenEverythingIsEmpty_data() {
        QTest::addColumn<QByteArray>("content");  // "<missing>" and "<folder>" make no file
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const QByteArray& content, const char* problem) {
            QTest::newRow(name) << content << QString(problem);
        };
        row("missing", "<missing>", "the file does not exist");
        row("folder", "<folder>", "a folder, not a file");
        row("empty", " \n", "the file is empty");
        row("not JSON", "{\n \"default\": {,}\n}", "not valid JSON: ");
        row("array at top", "[]", "the top level must be a JSON object, found an array");
        row("no default", Json("{'locales': {}}"), "the member \"default\" is missing");
        row("default not an object", Json("{'default': ['https://q.example']}"),
            "\"default\" must be an object, found an array");
        row("address not a string", Json("{'default': {'HELP': 5}}"),
            "\"default.HELP\" must be a string, found a number");
        row("locales not an object", Json("{'default': {}, 'locales': 'de'}"),
            "\"locales\" must be an object, found a string");
        row("locale table not an object", Json("{'default': {}, 'locales': {'de_DE': null}}"),
            "\"locales.de_DE\" must be an object, found null");
        row("unknown member", Json("{'default': {}, 'local': {}}"), "unknown member \"local\"");
        row("unknown placeholder",
            Json("{'default': {}, 'locales': {'de': {'A': 'https://q.example/{lang}'}}}"),
            "\"locales.de.A\" uses the unknown placeholder {lang}; known are {locale}, {language}");
        row("unclosed placeholder", Json("{'default': {'A': 'https://q.example/{locale'}}"),
            "has a \"{\" without a \"}\"");
        row("stray brace", Json("{'default': {'A': 'https://q.example/}'}}"),
            "a \"}\" without a \"{\"");
        row("space in address", Json("{'default': {'A': 'https://q.example/a b'}}"),
            "\"default.A\" is not a valid URL");
        row("relative address", Json("{'default': {'A': 'q.example/{locale}'}}"),
            "\"default.A\" is not absolute");
    }
    void badFileLogsOneErrorThenEverythingIsEmpty() {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        Services();
        const QString path = NewPath(LinksManager::FileName);
        if (content == "<folder>") {
            QVERIFY(QDir().mkpath(path));
        } else if (content != "<missing>") {
            QVERIFY(WriteFile(path, content));
        }
        LogCapture capture;
        auto links = Make(path);
        QVERIFY(!links->IsLoaded());
        const auto records = capture.Records();
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records[0].severity, google::GLOG_ERROR);
        const QString message = QString::fromStdString(records[0].message);
        QVERIFY2(message.startsWith(QDir::toNativeSeparators(path) + ": "), qPrintable(message));
        QVERIFY2(message.contains(problem), qPrintable(message));

        m_lookAndFeel->locale = "de_DE";
        QCOMPARE(links->GetUrl("A"), QString());
        QCOMPARE(links->GetUrl(URLKeys::HELP_URL_menu), QString());
        QCOMPARE(links->GenerateUrl("HELP", {{"a", "1"}}), QString());
        QCOMPARE(capture.Records().size(), size_t(1));
    }

    // Without a file argument the file is looked up in the product's standard data folders.
    void defaultPlaceIsTheDataFolder() {
        Services();
        const QString application = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QString("links-test-%1").arg(qApp->applicationPid()));
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        LogCapture capture;
        auto missing = Make(QString());
        QVERIFY(QDir().mkpath(folder));
        const bool written =
            WriteFile(folder + "/links.json", Json("{'default': {'A': 'https://q.example/a'}}"));
        auto found = Make(QString());
        QDir(folder).removeRecursively();
        QCoreApplication::setApplicationName(application);
        QVERIFY(written);

        QVERIFY(!missing->IsLoaded());
        QCOMPARE(capture.Count("links.json: the file is in none of the data folders"), 1);
        QCOMPARE(found->GetUrl("A"), QString("https://q.example/a"));
        QCOMPARE(found->GetFile(), QDir::toNativeSeparators(folder + "/links.json"));
        QCOMPARE(capture.Records().size(), size_t(1));
    }

    void missingNameWarnsOncePerName() {
        Services();
        auto links = MakeWith(Json("{'default': {'A': 'https://q.example/a'}}"));
        QVERIFY(links);
        LogCapture capture;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(links->GetUrl("NOPE"), QString());
            QCOMPARE(links->GenerateUrl("NOPE", {{"a", "1"}}), QString());
            QCOMPARE(links->GetUrl(URLKeys::FAQ_URL), QString());
        }
        const auto warnings = capture.Messages(google::GLOG_WARNING);
        QCOMPARE(warnings.size(), size_t(2));
        QVERIFY(QString::fromStdString(warnings[0])
                    .contains(links->GetFile() + ": no address for the link \"NOPE\""));
        QVERIFY(QString::fromStdString(warnings[1]).contains("\"FAQ_URL\""));
        QCOMPARE(capture.Records().size(), size_t(2));
    }

    void requiredServicesMustNotBeNull_data() {
        QTest::addColumn<int>("missing");
        for (int i = 0; i < 7; ++i) {
            QTest::newRow(QByteArray::number(i).constData()) << i;
        }
    }
    void requiredServicesMustNotBeNull() {
        QFETCH(int, missing);
        Services();
        try {
            Make(NewPath(LinksManager::FileName), missing);
            QFAIL("no exception");
        } catch (const std::logic_error& e) {
            QCOMPARE(QString(e.what()), QString("NotNull can not initialized by null"));
        }
    }

    // A key's name opens what the key resolves to; no key opens `address` as it is.
    void openUrlGoesThroughDesktopServices_data() {
        for (const char* column : {"key", "address", "opened", "warning"}) {
            QTest::addColumn<QString>(column);  // "opened", "warning": "" for none
        }
        const QString own = "quorveltest://x/y?a=%20b&c=%C3%BC";
        Row("key, https", {"HELP_URL_menu", "", "https://q.example/help/de_DE?v=2.1.4.317", ""});
        Row("address, own scheme", {"", own, own, ""});
        Row("key of own scheme", {"FAQ_URL", "", "quorveltest://faq", ""});
        Row("key left empty", {"FORUM_URL_menu", "", "", "\"FORUM_URL_menu\" has no address"});
        Row("key not in the file", {"CHANGELOG_URL", "", "", "\"CHANGELOG_URL\" has no address"});
        Row("empty address", {"", "", "", "An empty address is not opened"});
    }
    void openUrlGoesThroughDesktopServices() {
        QFETCH(QString, key);
        QFETCH(QString, address);
        QFETCH(QString, opened);
        QFETCH(QString, warning);
        Services();
        m_lookAndFeel->locale = "de_DE";
        auto links = MakeWith(
            Json("{'default': {'HELP_URL_menu': 'https://q.example/help/{locale}?v={version}',"
                 "             'FAQ_URL': 'quorveltest://faq', 'FORUM_URL_menu': ''}}"));
        QVERIFY(links);
        Receiver receiver;
        QDesktopServices::setUrlHandler("https", &receiver, "open");
        QDesktopServices::setUrlHandler("quorveltest", &receiver, "open");
        LogCapture capture;
        if (key.isEmpty()) {
            links->OpenUrl(address);
        }
        for (const auto& [value, name] : Quorvel::GetURLKeyNames()) {
            if (key == QString::fromStdString(name)) {
                links->OpenUrl(value);
            }
        }
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("quorveltest");
        QCOMPARE(receiver.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
        if (warning.isEmpty()) {
            QCOMPARE(capture.Records().size(), size_t(0));
        } else {
            QCOMPARE(capture.Count(warning.toStdString()), 1);
            QVERIFY(capture.Messages(google::GLOG_ERROR).empty());
        }
    }
};

QUORVEL_TEST_MAIN(LinksManagerTest)
#include "tst_LinksManager.moc"
