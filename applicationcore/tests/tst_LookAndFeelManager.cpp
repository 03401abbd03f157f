#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <sys/stat.h>

using namespace LookAndFeelTestData;
using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;

using ThemeFiles = QMap<QString, ResourceFiles>;
Q_DECLARE_METATYPE(ThemeFiles)

namespace {

std::unique_ptr<LookAndFeelManager> MakeManager(const DataDir& data, const Strings& filter = {}) {
    return std::make_unique<LookAndFeelManager>(data.Root().toStdString(), "title.json", filter);
}

struct Recorder : ILookAndFeelObserver {
    Recorder(QStringList& calls, QString name, LookAndFeelManager* manager = nullptr)
        : calls(calls), name(std::move(name)), manager(manager) {}
    void OnLocaleChanged(const std::string& locale) override {
        calls << name + ":locale:" + QString::fromStdString(locale);
    }
    void OnThemeChanged(const std::string& theme) override {
        calls << name + ":theme:" + QString::fromStdString(theme);
        sheetWhenTold = manager ? manager->GetUnitedStylesheet() : std::string();
    }
    QStringList& calls;
    QString name;
    LookAndFeelManager* manager;
    std::string sheetWhenTold;
};

struct Marker : IQssPreprocessor {
    void Preprocess(QString& sheet) override {
        seen << sheet;
        sheet += QStringLiteral("/*pp*/");
    }
    QStringList seen;
};

// Remembers what SetTheme hands to ApplyTheme.
struct DescriptionRecorder : LookAndFeelManager {
    using LookAndFeelManager::LookAndFeelManager;
    void ApplyTheme(const ThemeDescription& description) override {
        last = description;
        LookAndFeelManager::ApplyTheme(description);
    }
    ThemeDescription last;
};

}  // namespace

class LookAndFeelManagerTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UnregisterCreatedResources(); }
    void discovery_data();
    void discovery();
    void localizedThemeName();
    void unitedStyleSheet_data();
    void unitedStyleSheet();
    void placeholdersReplacedOneAfterTheOther();
    void descriptionAndProductSheets();
    void themeSwitching();
    void fontManifestRegistersFonts();
    void observersAndInitialize();
    void badThemeFilesAreNamedOnce_data();
    void badThemeFilesAreNamedOnce();
};

void LookAndFeelManagerTest::discovery_data() {
    QTest::addColumn<QStringList>("dirs");
    QTest::addColumn<QStringList>("titled");  // theme directories given a title file
    QTest::addColumn<QStringList>("themes");
    QTest::addColumn<QStringList>("locales");

    QTest::newRow("no resources") << QStringList{} << QStringList{} << QStringList{}
                                  << QStringList{};
    // "own.old" has a title, but titles are looked up under the base name.
    QTest::newRow("ignoring case, title needed, cut at the first dot")
        << QStringList{"themes/b",       "themes/A",      "themes/c",           "themes/plain",
                       "themes/own.old", "locales/fr_FR", "locales/de_DE.utf8", "locales/En_US"}
        << QStringList{"b", "A", "c", "own.old"} << QStringList{"A", "b", "c"}
        << QStringList{"de_DE", "En_US", "fr_FR"};
    // Every entry whose base name is exactly "themes" is searched; titles come from themes/.
    QTest::newRow("dark.old and themes.bak list dark again")
        << QStringList{"themes/dark", "themes/dark.old", "themes.bak/dark", "themes.bak/gone",
                       "Themes/dark"}
        << QStringList{"dark"} << QStringList{"dark", "dark", "dark"} << QStringList{};
}

void LookAndFeelManagerTest::discovery() {
    QFETCH(QStringList, dirs);
    QFETCH(QStringList, titled);
    QFETCH(QStringList, themes);
    QFETCH(QStringList, locales);

    DataDir data;
    for (const QString& dir : dirs) {
        QVERIFY(data.AddDir("resources/" + dir));
    }
    for (const QString& theme : titled) {
        QVERIFY(data.AddTheme(theme));
    }
    const auto manager = MakeManager(data);
    QCOMPARE(ToQt(manager->GetThemes()), themes);
    QCOMPARE(ToQt(manager->GetLocales()), locales);
    // Construction applies nothing.
    QVERIFY(manager->GetCurrentTheme().empty() && manager->GetCurrentLocale().empty());
    QVERIFY(manager->GetUnitedStylesheet().empty());
}

void LookAndFeelManagerTest::localizedThemeName() {
    DataDir data;
    QVERIFY(data.AddTheme("light", R"({"en_US": "Light", "de_DE": "Helles Thema ä"})"));
    QVERIFY(data.AddTheme("broken", "{ not json"));
    QVERIFY(data.AddLocales({"de_DE", "fr_FR"}));
    LogCapture log;
    const auto manager = MakeManager(data);
    // A bad title file is reported, but the theme stays listed.
    QCOMPARE(ToQt(manager->GetThemes()), (QStringList{"broken", "light"}));
    QCOMPARE(log.Count((data.Theme("broken") + "/title.json").toStdString()), 1);
    log.Clear();

    manager->SetLocale("de_DE");
    QCOMPARE(manager->GetLocalizedThemeName("light"), std::string("Helles Thema ä"));
    QVERIFY(log.Records().empty());
    // Without a title: the theme's own name and a warning.
    QCOMPARE(manager->GetLocalizedThemeName("ghost"), std::string("ghost"));
    QCOMPARE(manager->GetLocalizedThemeName("broken"), std::string("broken"));
    manager->SetLocale("fr_FR");
    QCOMPARE(manager->GetLocalizedThemeName("light"), std::string("light"));
    // One WARNING for each, naming the theme.
    QCOMPARE(int(log.Messages(google::GLOG_WARNING).size()), 3);
    QCOMPARE(log.Count("ghost") + log.Count("broken") + log.Count("light"), 3);
}

void LookAndFeelManagerTest::unitedStyleSheet_data() {
    QTest::addColumn<ThemeFiles>("files");
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* name, const ThemeFiles& files, const QString& expected,
                  const Strings& filter = {}, const QString& locale = {}) {
        QTest::newRow(name) << files << filter << locale << expected;
    };
    auto fonts = [](const char* style, const QByteArray& json) {
        return ResourceFiles{{"style.qss", style}, {"fonts.json", json}};
    };
    row("nothing present: two line feeds", {}, "\n\n");
    row("all rcc files ordered ignoring case",
        {{"b.rcc", {{"style.qss", "b"}}},
         {"A.rcc", {{"style.qss", "A"}}},
         {"c.rcc", {{"style.qss", "c"}}},
         {"notes.txt", {{"style.qss", "txt"}}}},
        "A\n\nb\n\nc\n\n\n\n");
    row("filter order, missing name skipped",
        {{"extra.rcc", {{"style.qss", "extra"}}},
         {"main.rcc", {{"style.qss", "main"}}},
         {"other.rcc", {{"style.qss", "other"}}}},
        "main\n\nextra\n\n\n\n", {"main", "missing", "extra"});
    row("@font before @fontBold",
        {{"main.rcc", fonts("a{font:@fontBold}b{font:@font}",
                            R"({"all_platforms":{"all_languages":{"font":"X","fontBold":"Y"}}})")}},
        "a{font:XBold}b{font:X}\n\n\n\n");
    // Later wins: the platform block over all_platforms, the locale over all_languages.
    row("precedence of blocks and languages",
        {{"main.rcc",
          fonts("@a @b @c @d", R"({"all_platforms":{"all_languages":{"a":"any","b":"any","c":"any"},
                                                   "de_DE":{"b":"de","c":"de"},"fr_FR":{"a":"fr"}},
                                  "linux":{"all_languages":{"c":"linux"}},
                                  "win":{"all_languages":{"a":"win","d":"win"}}})")}},
        "any de linux @d\n\n\n\n", {}, "de_DE");
    row("later file wins in every sheet, bad JSON skipped",
        {{"a.rcc", fonts("a:@c", R"({"all_platforms":{"all_languages":{"c":"1"}}})")},
         {"b.rcc",
          {{"fonts_linux.qss", "b:@c"},
           {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"2"}}})"}}},
         {"c.rcc", {{"fonts.json", R"({"all_platforms": {"all_languages": )"}}}},
        "a:2\n\n\nb:2\n\n\n\n\n");
    // From fuzz_fonts (a timeout): each value names the next placeholder ten times.
    row("placeholders that multiply stop at the limit of a sheet",
        {{"main.rcc", fonts("@", R"({"all_platforms":{"all_languages":{
             "":"@a@a@a@a@a@a@a@a@a@a", "a":"@b@b@b@b@b@b@b@b@b@b", "b":"@c@c@c@c@c@c@c@c@c@c",
             "c":"@d@d@d@d@d@d@d@d@d@d", "d":"@e@e@e@e@e@e@e@e@e@e", "e":"@f@f@f@f@f@f@f@f@f@f",
             "f":"@g@g@g@g@g@g@g@g@g@g", "g":"@h@h@h@h@h@h@h@h@h@h"}}})")}},
        QString("@f").repeated(1000000) + "\n\n\n\n");
    row("values become text, wrong kinds skipped, case-sensitive",
        {{"main.rcc", fonts("@size @bold @x @Size",
                            R"({"all_platforms":{"all_languages":{"size":12,"bold":true},
                                                 "de_DE":"not an object"},
                                "linux":"not an object"})")}},
        "12 true @x @Size\n\n\n\n", {}, "de_DE");
}

void LookAndFeelManagerTest::unitedStyleSheet() {
    QFETCH(ThemeFiles, files);
    QFETCH(Strings, filter);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(data.AddTheme("light"));
    for (auto it = files.begin(); it != files.end(); ++it) {
        QVERIFY(data.AddThemeRcc("light", it.key(), it.value()));
    }
    QVERIFY(locale.isEmpty() || data.AddLocales({locale}));
    const auto manager = MakeManager(data, filter);
    if (!locale.isEmpty()) {
        manager->SetLocale(locale.toStdString());
    }
    manager->SetTheme("light");
    QCOMPARE(QString::fromStdString(manager->GetUnitedStylesheet()), expected);
}

// Random sheets of a few letters and marks against one QString::replace per placeholder, in
// ascending order: placeholders spoiled, completed across replacements, brought by them.
void LookAndFeelManagerTest::placeholdersReplacedOneAfterTheOther() {
    QTemporaryDir dir;
    const QString sheetPath = dir.filePath("style.qss");
    const QString fontsPath = dir.filePath("fonts.json");
    LookAndFeelManager manager(dir.path().toStdString(), "title.json", {});
    const Quorvel::App::ILookAndFeelManager::ThemeDescription description{
        {sheetPath.toStdString()}, {fontsPath.toStdString()}, {}};
    QRandomGenerator random(11);
    auto word = [&random](int longest, const QString& letters) {
        QString word;
        for (int n = random.bounded(longest + 1); n > 0; --n) {
            word += letters[random.bounded(letters.size())];
        }
        return word;
    };
    for (int round = 0; round < 200; ++round) {
        QJsonObject fonts;
        for (int n = random.bounded(1, 6); n > 0; --n) {
            fonts[word(3, round % 7 ? "ab" : "ab@")] = word(3, round % 5 ? "abf" : "ab@");
        }
        const QString sheet = word(24, "@@abf ");
        QString expected = sheet + '\n';
        for (auto it = fonts.begin(); it != fonts.end(); ++it) {  // keys in ascending order
            expected.replace('@' + it.key(), it.value().toString());
        }
        QVERIFY(WriteFile(sheetPath, sheet.toUtf8()));
        QVERIFY(WriteFile(
            fontsPath,
            QJsonDocument(QJsonObject{{"all_platforms", QJsonObject{{"all_languages", fonts}}}})
                .toJson()));
        manager.ApplyTheme(description);
        QCOMPARE(QString::fromStdString(manager.GetUnitedStylesheet()), expected);
    }
}

void LookAndFeelManagerTest::descriptionAndProductSheets() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "gamma.rcc", {{"style.qss", "g"}}));
    QVERIFY(data.AddThemeRcc(
        "light", "Beta.rcc",
        {{"style.qss", "b"},
         {"fonts.json", R"({"all_platforms":{"all_languages":{"accent":"teal"}}})"}}));
    QVERIFY(data.AddDir("resources/themes/light/folder.rcc"));  // not a plain file
    // Qt refuses this one, but its paths are listed all the same.
    QVERIFY(WriteFile(data.Theme("light") + "/junk.rcc", "\x01junk\xff"));
    const QString productRcc = data.Path("product.rcc");
    QVERIFY(MakeRcc(productRcc, "",
                    {{"productStyle.qss", "product @accent"},
                     {"productStyle_linux.qss", "product linux"},
                     {"productStyle_win.qss", "product win"}}));
    QVERIFY(QResource::registerResource(productRcc));

    DescriptionRecorder manager(data.Root().toStdString(), "title.json",
                                {"gamma", "folder", "junk", "Beta"});
    manager.SetTheme("light");
    QCOMPARE(manager.last.styleSheets,
             (Strings{":/gamma/style.qss", ":/gamma/fonts_linux.qss", ":/junk/style.qss",
                      ":/junk/fonts_linux.qss", ":/Beta/style.qss", ":/Beta/fonts_linux.qss",
                      ":/productStyle.qss", ":/productStyle_linux.qss"}));
    QCOMPARE(manager.GetUnitedStylesheet(),
             std::string("g\n\n\n\nb\n\nproduct teal\nproduct linux\n"));
}

void LookAndFeelManagerTest::themeSwitching() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "lightres.rcc",
                             {{"style.qss", "x{@c}"},
                              {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"1"}}})"}}));
    QVERIFY(data.AddTheme("dark"));
    QVERIFY(data.AddThemeRcc("dark", "darkres.rcc", {{"style.qss", "dark"}}));
    // Not listed, its title file being a dangling link, but usable all the same.
    QVERIFY(data.AddThemeRcc("locked", "lockedres.rcc", {{"style.qss", "locked"}}));
    QVERIFY(QFile::link(data.Path("nowhere.json"), data.Theme("locked") + "/title.json"));
    const auto manager = MakeManager(data);
    QCOMPARE(ToQt(manager->GetThemes()), (QStringList{"dark", "light"}));
    QStringList calls;
    Recorder observer(calls, "o");
    manager->RegisterObserver(&observer);
    LogCapture log;

    manager->SetTheme("light");
    QVERIFY(QFile::exists(":/lightres/style.qss"));
    // A preprocessor waits for the next ApplyTheme and sees placeholders replaced.
    auto marker = std::make_shared<Marker>();
    manager->SetQssPreprocessor(marker);
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("x{1}\n\n\n\n"));
    // The same theme again is rebuilt and told, and nothing is unregistered.
    manager->SetTheme("light");
    QCOMPARE(marker->seen, QStringList{"x{1}\n\n\n\n"});
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("x{1}\n\n\n\n/*pp*/"));

    // Registered twice by now: switching away undoes one registration.
    manager->SetTheme("dark");
    QVERIFY(QFile::exists(":/darkres/style.qss"));
    QVERIFY(QResource::unregisterResource(data.Theme("light") + "/lightres.rcc"));
    QVERIFY(!QFile::exists(":/lightres/style.qss"));
    manager->SetTheme("locked");
    QVERIFY(!QFile::exists(":/darkres/style.qss"));
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("locked\n\n\n\n/*pp*/"));

    // A missing directory is reported, at the switch and again when clearing it.
    manager->SetTheme("nosuch");
    QCOMPARE(manager->GetCurrentTheme(), std::string("nosuch"));
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("\n\n/*pp*/"));
    // An empty name clears, keeps the last sheet and tells nobody.
    manager->SetTheme("");
    QVERIFY(manager->GetCurrentTheme().empty());
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("\n\n/*pp*/"));
    QCOMPARE(log.Count(data.Theme("nosuch").toStdString()), 2);
    QCOMPARE(int(log.Records().size()), 2);
    QCOMPARE(calls, (QStringList{"o:theme:light", "o:theme:light", "o:theme:dark", "o:theme:locked",
                                 "o:theme:nosuch"}));
}

void LookAndFeelManagerTest::fontManifestRegistersFonts() {
    QFile sans("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (!sans.open(QIODevice::ReadOnly)) {
        QSKIP("fonts-dejavu-core is not installed");
    }
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    // Resource paths work: the theme's files are registered before its manifest is read.
    QVERIFY(data.AddThemeRcc(
        "light", "fontres.rcc",
        {{"sans.ttf", sans.readAll()}, {"fonts.manifest", ":/fontres/sans.ttf\n\t:/none.ttf \n"}}));
    LogCapture log;
    MakeManager(data)->SetTheme("light");
    // Each word is passed on, and only the one that is no font fails.
    QCOMPARE(log.Messages(), std::vector<std::string>{"The font [:/none.ttf] could not be loaded"});
}

void LookAndFeelManagerTest::observersAndInitialize() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc(
        "light", "order.rcc",
        {{"style.qss", "@face"},
         {"fonts.json",
          R"({"all_platforms":{"all_languages":{"face":"Sans"},"de_DE":{"face":"German"}}})"}}));
    QVERIFY(data.AddLocales({"de_DE", "fr_FR"}));
    const auto manager = MakeManager(data);
    QStringList calls;
    Recorder a(calls, "a", manager.get());
    Recorder b(calls, "b");
    manager->RegisterObserver(&a);
    manager->RegisterObserver(&b);
    manager->RegisterObserver(&a);  // once only

    manager->Initialize("de_DE", "light");
    QCOMPARE(calls,
             (QStringList{"a:locale:de_DE", "b:locale:de_DE", "a:theme:light", "b:theme:light"}));
    // The locale goes first, and observers hear of a theme once its sheet is built.
    QCOMPARE(a.sheetWhenTold, std::string("German\n\n\n\n"));

    calls.clear();
    manager->UnregisterObserver(&a);
    manager->SetLocale("fr_FR");  // the sheet follows at the next theme only
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("German\n\n\n\n"));
    manager->SetTheme("light");
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("Sans\n\n\n\n"));
    QCOMPARE(calls, (QStringList{"b:locale:fr_FR", "b:theme:light"}));
}

// Each file is named in one WARNING, however often it is met; what the theme shows stays as
// it would be without the file (a FIFO is never waited on).
void LookAndFeelManagerTest::badThemeFilesAreNamedOnce_data() {
    QTest::addColumn<QString>("file");  // below the theme folder
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("themes");  // listed
    QTest::addColumn<QString>("title");   // of "light" in en_US
    const auto row = [](const char* name, const char* file, const char* kind, const char* themes,
                        const QString& title) {
        QTest::newRow(name) << file << kind << themes << title;
    };
    row("title file is a FIFO", "title.json", "fifo", "", "light");
    row("title file too large", "title.json", "large", "light", "light");
    row("title file without a title", "title.json", "[1]", "light", "light");
    row("title too long for a menu", "title.json", "long", "light", QString(1024, 'T'));
    row("resource file Qt refuses", "junk.rcc", "\x01junk", "light", "Light");
    // From the fuzzing of resource files: Qt takes the header and reads where the tree says.
    row("resource file whose tree points outside it", "main.rcc", "far", "light", "Light");
    row("resource file is a FIFO", "main.rcc", "fifo", "light", "Light");
}

void LookAndFeelManagerTest::badThemeFilesAreNamedOnce() {
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, themes);
    QFETCH(QString, title);
    DataDir data;
    QVERIFY(data.AddTheme("light", R"({"en_US": "Light"})") && data.AddLocales({"en_US"}));
    const QString path = data.Theme("light") + "/" + file;
    QFile::remove(path);
    if (kind == "fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(path), 0600) == 0);
    } else if (kind == "far") {
        // A header as rcc writes it; the root's one child lies about 350 MB past the end.
        QVERIFY(WriteFile(path, QByteArray("qres\0\0\0\x03\0\0\0\x18\0\0\0\x18\0\0\0\x18\0\0\0\0"
                                           "\0\0\0\0\0\x02\0\0\0\x01\0\xff\xff\xff",
                                           38) +
                                    QByteArray(8, '\0')));
    } else if (kind == "large") {
        QFile large(path);
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(64 << 20));
    } else {
        QVERIFY(WriteFile(path, kind == "long" ? R"({"en_US": ")" + QByteArray(5000, 'T') + "\"}"
                                               : kind.toUtf8()));
    }
    LogCapture log;
    const auto manager = MakeManager(data, {"main", "junk"});
    manager->SetLocale("en_US");
    manager->SetTheme("light");
    manager->SetTheme("light");
    QCOMPARE(ToQt(manager->GetThemes()).join(','), themes);
    QCOMPARE(QString::fromStdString(manager->GetLocalizedThemeName("light")), title);
    QCOMPARE(log.Count(path.toStdString()), 1);
}

QUORVEL_TEST_MAIN(LookAndFeelManagerTest)
#include "tst_LookAndFeelManager.moc"
