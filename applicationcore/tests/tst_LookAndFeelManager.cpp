#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QFontDatabase>
#include <QResource>

using namespace LookAndFeelTestData;
using Quorvel::App::ILookAndFeelManager;
using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;
using Strings = std::list<std::string>;

// rcc file name -> its resources; contents "@garbage" writes those bytes instead of compiling.
using ThemeFiles = QMap<QString, ResourceFiles>;
Q_DECLARE_METATYPE(ThemeFiles)
Q_DECLARE_METATYPE(Strings)

namespace {

const QString kTitle = QStringLiteral("title.json");
const QByteArray kGarbage = "@garbage";

std::unique_ptr<LookAndFeelManager> MakeManager(const DataDir& data, Strings filter = {}) {
    return std::make_unique<LookAndFeelManager>(data.Root().toStdString(), "title.json", filter);
}

struct Recorder : ILookAndFeelObserver {
    Recorder(QStringList& calls, QString name, ILookAndFeelManager* manager = nullptr)
        : m_calls(calls), m_name(std::move(name)), m_manager(manager) {}
    void OnLocaleChanged(const std::string& locale) override {
        m_calls << m_name + ":locale:" + QString::fromStdString(locale);
    }
    void OnThemeChanged(const std::string& theme) override {
        m_calls << m_name + ":theme:" + QString::fromStdString(theme);
        if (m_manager) {
            m_sheetWhenTold = m_manager->GetUnitedStylesheet();
        }
    }
    QStringList& m_calls;
    QString m_name;
    ILookAndFeelManager* m_manager;
    std::string m_sheetWhenTold;
};

struct Marker : IQssPreprocessor {
    void Preprocess(QString& sheet) override {
        seen << sheet;
        sheet += QStringLiteral("/*pp*/");
    }
    QStringList seen;
};

// Remembers what SetTheme hands to ApplyTheme.
class DescriptionRecorder : public LookAndFeelManager {
public:
    using LookAndFeelManager::LookAndFeelManager;
    void ApplyTheme(const ThemeDescription& description) override {
        last = description;
        LookAndFeelManager::ApplyTheme(description);
    }
    ThemeDescription last;
};

bool AddThemeFiles(const DataDir& data, const QString& theme, const ThemeFiles& files) {
    for (auto it = files.begin(); it != files.end(); ++it) {
        const bool ok = it.value().value(QString()) == kGarbage
                            ? WriteFile(data.Theme(theme) + "/" + it.key(), "\x01garbage\xff")
                            : data.AddThemeRcc(theme, it.key(), it.value());
        if (!ok) {
            return false;
        }
    }
    return true;
}

QStringList ToQt(const Strings& strings) {
    QStringList result;
    for (const std::string& s : strings) {
        result << QString::fromStdString(s);
    }
    return result;
}

}  // namespace

class LookAndFeelManagerTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { LookAndFeelTestData::UnregisterCreatedResources(); }
    void discovery_data();
    void discovery();
    void unreadableTitleFileIsNotListedButUsable();
    void malformedTitleFileKeepsTheme();
    void localizedThemeName_data();
    void localizedThemeName();
    void unitedStyleSheet_data();
    void unitedStyleSheet();
    void descriptionOfTheme_data();
    void descriptionOfTheme();
    void productSheetsComeLast();
    void resourcesRegisteredWhileCurrent();
    void sameThemeAgainRebuildsAndTells();
    void missingThemeDirectoryIsReported();
    void fontManifestRegistersFonts();
    void preprocessorTakesEffectAtNextApply();
    void observersToldInOrder();
};

void LookAndFeelManagerTest::discovery_data() {
    QTest::addColumn<QStringList>("dirs");
    QTest::addColumn<QStringList>("titled");  // theme directories given a title file
    QTest::addColumn<QStringList>("themes");
    QTest::addColumn<QStringList>("locales");

    QTest::newRow("no resources") << QStringList{} << QStringList{} << QStringList{}
                                  << QStringList{};
    QTest::newRow("ordered ignoring case")
        << QStringList{"resources/themes/b",      "resources/themes/A",
                       "resources/themes/c",      "resources/locales/fr_FR",
                       "resources/locales/de_DE", "resources/locales/En_US"}
        << QStringList{"b", "A", "c"} << QStringList{"A", "b", "c"}
        << QStringList{"de_DE", "En_US", "fr_FR"};
    QTest::newRow("no title file, no theme")
        << QStringList{"resources/themes/light", "resources/themes/plain"} << QStringList{"light"}
        << QStringList{"light"} << QStringList{};
    QTest::newRow("dark.old listed as dark twice")
        << QStringList{"resources/themes/dark", "resources/themes/dark.old"} << QStringList{"dark"}
        << QStringList{"dark", "dark"} << QStringList{};
    QTest::newRow("dark.old with its own title only")
        << QStringList{"resources/themes/dark.old"} << QStringList{"dark.old"} << QStringList{}
        << QStringList{};
    QTest::newRow("locale names cut at the first dot")
        << QStringList{"resources/locales/de_DE.utf8", "resources/locales/en_US"} << QStringList{}
        << QStringList{} << QStringList{"de_DE", "en_US"};
    // Every entry of resources whose base name is "themes" is searched for themes, but titles
    // are always looked up under resources/themes.
    QTest::newRow("themes.bak counts as themes")
        << QStringList{"resources/themes/light", "resources/themes.bak/light",
                       "resources/themes.bak/gone", "resources/Themes/light"}
        << QStringList{"light"} << QStringList{"light", "light"} << QStringList{};
}

void LookAndFeelManagerTest::discovery() {
    QFETCH(QStringList, dirs);
    QFETCH(QStringList, titled);
    QFETCH(QStringList, themes);
    QFETCH(QStringList, locales);

    DataDir data;
    QVERIFY(data.IsValid());
    for (const QString& dir : dirs) {
        QVERIFY(data.AddDir(dir));
    }
    for (const QString& theme : titled) {
        QVERIFY(data.AddTheme(theme, R"({"en_US": "Title"})"));
    }
    const auto manager = MakeManager(data);
    QCOMPARE(ToQt(manager->GetThemes()), themes);
    QCOMPARE(ToQt(manager->GetLocales()), locales);
    QVERIFY(manager->GetCurrentTheme().empty());
    QVERIFY(manager->GetCurrentLocale().empty());
    QVERIFY(manager->GetUnitedStylesheet().empty());  // construction applies nothing
}

void LookAndFeelManagerTest::unreadableTitleFileIsNotListedButUsable() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    // A dangling link: the title file exists as a name but cannot be opened.
    QVERIFY(data.AddDir("resources/themes/locked"));
    QVERIFY(QFile::link(data.Path("nowhere.json"), data.Theme("locked") + "/title.json"));
    QVERIFY(data.AddThemeRcc("locked", "main.rcc", {{"style.qss", "locked{}"}}));

    const auto manager = MakeManager(data);
    QCOMPARE(ToQt(manager->GetThemes()), QStringList{"light"});

    QStringList calls;
    Recorder observer(calls, "o");
    manager->RegisterObserver(&observer);
    manager->SetTheme("locked");
    QCOMPARE(manager->GetCurrentTheme(), std::string("locked"));
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("locked{}\n\n\n\n"));
    QCOMPARE(calls, QStringList{"o:theme:locked"});
    manager->SetTheme("");
}

void LookAndFeelManagerTest::malformedTitleFileKeepsTheme() {
    DataDir data;
    QVERIFY(data.AddTheme("broken", "{ not json"));
    QVERIFY(data.AddTheme("light", R"({"en_US": "Light"})"));
    LogCapture log;
    const auto manager = MakeManager(data);
    QCOMPARE(ToQt(manager->GetThemes()), (QStringList{"broken", "light"}));

    const auto errors = log.Messages(google::GLOG_ERROR);
    QCOMPARE(int(errors.size()), 1);
    const std::string titlePath = (data.Theme("broken") + "/title.json").toStdString();
    QVERIFY2(errors[0].find(titlePath) != std::string::npos, errors[0].c_str());

    manager->SetLocale("en_US");
    QCOMPARE(manager->GetLocalizedThemeName("broken"), std::string("broken"));
    QCOMPARE(manager->GetLocalizedThemeName("light"), std::string("Light"));
}

void LookAndFeelManagerTest::localizedThemeName_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("warning");  // empty: none

    QTest::newRow("en_US") << "en_US"
                           << "light"
                           << "Light"
                           << "";
    QTest::newRow("de_DE, UTF-8") << "de_DE"
                                  << "light"
                                  << "Helles Thema ä"
                                  << "";
    QTest::newRow("no title in fr_FR") << "fr_FR"
                                       << "light"
                                       << "light"
                                       << "No title found for theme [light] on language [fr_FR]!";
    QTest::newRow("theme without titles")
        << "de_DE"
        << "ghost"
        << "ghost"
        << "No title found for theme [ghost] on language [de_DE]!";
}

void LookAndFeelManagerTest::localizedThemeName() {
    QFETCH(QString, locale);
    QFETCH(QString, theme);
    QFETCH(QString, expected);
    QFETCH(QString, warning);

    DataDir data;
    QVERIFY(data.AddTheme("light", R"({"en_US": "Light", "de_DE": "Helles Thema ä"})"));
    for (const char* name : {"de_DE", "en_US", "fr_FR"}) {
        QVERIFY(data.AddDir(QStringLiteral("resources/locales/") + name));
    }
    const auto manager = MakeManager(data);
    manager->SetLocale(locale.toStdString());
    QCOMPARE(manager->GetCurrentLocale(), locale.toStdString());

    LogCapture log;
    QCOMPARE(QString::fromStdString(manager->GetLocalizedThemeName(theme.toStdString())), expected);
    const auto warnings = log.Messages(google::GLOG_WARNING);
    if (warning.isEmpty()) {
        QVERIFY(warnings.empty());
    } else {
        QCOMPARE(int(warnings.size()), 1);
        QCOMPARE(QString::fromStdString(warnings[0]), warning);
    }
}

void LookAndFeelManagerTest::unitedStyleSheet_data() {
    QTest::addColumn<ThemeFiles>("files");
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const Strings none;
    QTest::newRow("nothing present: two line feeds") << ThemeFiles{} << none << ""
                                                     << "\n\n";
    QTest::newRow("style and platform sheet")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "S"}, {"fonts_linux.qss", "L"}, {"fonts_win.qss", "W"}}}}
        << none << ""
        << "S\nL\n\n\n";
    QTest::newRow("all rcc files ordered ignoring case")
        << ThemeFiles{{"b.rcc", {{"style.qss", "b"}}},
                      {"A.rcc", {{"style.qss", "A"}}},
                      {"c.rcc", {{"style.qss", "c"}}},
                      {"notes.txt", {{"style.qss", "txt"}}}}
        << none << ""
        << "A\n\nb\n\nc\n\n\n\n";
    QTest::newRow("filter order, missing name skipped")
        << ThemeFiles{{"extra.rcc", {{"style.qss", "extra"}}},
                      {"main.rcc", {{"style.qss", "main"}}},
                      {"other.rcc", {{"style.qss", "other"}}}}
        << Strings{"main", "missing", "extra"} << ""
        << "main\n\nextra\n\n\n\n";
    QTest::newRow("rcc Qt refuses is ignored")
        << ThemeFiles{{"broken.rcc", {{"", kGarbage}}}, {"main.rcc", {{"style.qss", "main"}}}}
        << none << ""
        << "\n\nmain\n\n\n\n";
    QTest::newRow("@font before @fontBold")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "a{font:@fontBold}b{font:@font}"},
                        {"fonts.json",
                         R"({"all_platforms":{"all_languages":{"font":"X","fontBold":"Y"}}})"}}}}
        << none << ""
        << "a{font:XBold}b{font:X}\n\n\n\n";
    QTest::newRow("platform block wins, other platform ignored")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "@c @d @e"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"all","e":"E"}},
                                           "linux":{"all_languages":{"c":"linux"}},
                                           "win":{"all_languages":{"c":"win","d":"win"}}})"}}}}
        << none << ""
        << "linux @d E\n\n\n\n";
    QTest::newRow("current locale wins over all_languages")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "@f @g"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"f":"any","g":"G"},
                                                           "de_DE":{"f":"german"},
                                                           "fr_FR":{"g":"french"}}})"}}}}
        << none << "de_DE"
        << "german G\n\n\n\n";
    QTest::newRow("platform all_languages wins over all_platforms locale")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "@f"},
                        {"fonts.json", R"({"all_platforms":{"de_DE":{"f":"generic german"}},
                                           "linux":{"all_languages":{"f":"linux any"}}})"}}}}
        << none << "de_DE"
        << "linux any\n\n\n\n";
    QTest::newRow("later file wins, placeholders reach every sheet")
        << ThemeFiles{{"a.rcc",
                       {{"style.qss", "a:@c"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"1"}}})"}}},
                      {"b.rcc",
                       {{"fonts_linux.qss", "b:@c"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"2"}}})"}}}}
        << none << ""
        << "a:2\n\n\nb:2\n\n\n";
    QTest::newRow("fonts.json that is not JSON is skipped")
        << ThemeFiles{{"a.rcc",
                       {{"style.qss", "@c"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"1"}}})"}}},
                      {"b.rcc", {{"fonts.json", R"({"all_platforms": {"all_languages": )"}}}}
        << none << ""
        << "1\n\n\n\n\n\n";
    QTest::newRow("values become text, wrong kinds skipped")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "@size @bold @x"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"size":12,"bold":true},
                                                           "de_DE":"not an object"},
                                           "linux":"not an object"})"}}}}
        << none << "de_DE"
        << "12 true @x\n\n\n\n";
    QTest::newRow("placeholders are case-sensitive")
        << ThemeFiles{{"main.rcc",
                       {{"style.qss", "@Font @font"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"font":"x"}}})"}}}}
        << none << ""
        << "@Font x\n\n\n\n";
}

void LookAndFeelManagerTest::unitedStyleSheet() {
    QFETCH(ThemeFiles, files);
    QFETCH(Strings, filter);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(AddThemeFiles(data, "light", files));
    if (!locale.isEmpty()) {
        QVERIFY(data.AddDir("resources/locales/" + locale));
    }
    const auto manager = MakeManager(data, filter);
    if (!locale.isEmpty()) {
        manager->SetLocale(locale.toStdString());
    }
    manager->SetTheme("light");
    QCOMPARE(QString::fromStdString(manager->GetUnitedStylesheet()), expected);
}

void LookAndFeelManagerTest::descriptionOfTheme_data() {
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<Strings>("styleSheets");
    QTest::addColumn<Strings>("fontConfigs");
    QTest::addColumn<Strings>("fontManifests");

    QTest::newRow("all files") << Strings{}
                               << Strings{":/Beta/style.qss",   ":/Beta/fonts_linux.qss",
                                          ":/gamma/style.qss",  ":/gamma/fonts_linux.qss",
                                          ":/productStyle.qss", ":/productStyle_linux.qss"}
                               << Strings{":/Beta/fonts.json", ":/gamma/fonts.json"}
                               << Strings{":/Beta/fonts.manifest", ":/gamma/fonts.manifest"};
    // A directory named like a resource file is not a plain file.
    QTest::newRow("filter") << Strings{"gamma", "folder", "Beta"}
                            << Strings{":/gamma/style.qss",  ":/gamma/fonts_linux.qss",
                                       ":/Beta/style.qss",   ":/Beta/fonts_linux.qss",
                                       ":/productStyle.qss", ":/productStyle_linux.qss"}
                            << Strings{":/gamma/fonts.json", ":/Beta/fonts.json"}
                            << Strings{":/gamma/fonts.manifest", ":/Beta/fonts.manifest"};
}

void LookAndFeelManagerTest::descriptionOfTheme() {
    QFETCH(Strings, filter);
    QFETCH(Strings, styleSheets);
    QFETCH(Strings, fontConfigs);
    QFETCH(Strings, fontManifests);

    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "gamma.rcc", {{"style.qss", "g"}}));
    QVERIFY(data.AddThemeRcc("light", "Beta.rcc", {{"style.qss", "b"}}));
    QVERIFY(data.AddDir("resources/themes/light/folder.rcc"));
    DescriptionRecorder manager(data.Root().toStdString(), "title.json", filter);
    manager.SetTheme("light");
    QCOMPARE(manager.last.styleSheets, styleSheets);
    QCOMPARE(manager.last.fontConfigs, fontConfigs);
    QCOMPARE(manager.last.fontManifests, fontManifests);
    manager.SetTheme("");
}

void LookAndFeelManagerTest::productSheetsComeLast() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc(
        "light", "main.rcc",
        {{"style.qss", "theme"},
         {"fonts.json", R"({"all_platforms":{"all_languages":{"accent":"teal"}}})"}}));
    const QString productRcc = data.Path("product.rcc");
    QVERIFY(MakeRcc(productRcc, "",
                    {{"productStyle.qss", "product @accent"},
                     {"productStyle_linux.qss", "product linux"},
                     {"productStyle_win.qss", "product win"}}));
    QVERIFY(QResource::registerResource(productRcc));

    const auto manager = MakeManager(data);
    manager->SetTheme("light");
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("theme\n\nproduct teal\nproduct linux\n"));
}

void LookAndFeelManagerTest::resourcesRegisteredWhileCurrent() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddTheme("dark"));
    QVERIFY(data.AddThemeRcc("light", "lightres.rcc", {{"style.qss", "light"}}));
    QVERIFY(data.AddThemeRcc("dark", "darkres.rcc", {{"style.qss", "dark"}}));
    const auto manager = MakeManager(data);
    QStringList calls;
    Recorder observer(calls, "o");
    manager->RegisterObserver(&observer);

    QVERIFY(!QFile::exists(":/lightres/style.qss"));
    manager->SetTheme("light");
    QVERIFY(QFile::exists(":/lightres/style.qss"));

    manager->SetTheme("dark");
    QVERIFY(!QFile::exists(":/lightres/style.qss"));
    QVERIFY(QFile::exists(":/darkres/style.qss"));
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("dark\n\n\n\n"));

    // An empty name unregisters but keeps the last sheet and tells nobody.
    manager->SetTheme("");
    QVERIFY(!QFile::exists(":/darkres/style.qss"));
    QVERIFY(manager->GetCurrentTheme().empty());
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("dark\n\n\n\n"));
    QCOMPARE(calls, (QStringList{"o:theme:light", "o:theme:dark"}));
}

void LookAndFeelManagerTest::sameThemeAgainRebuildsAndTells() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "again.rcc", {{"style.qss", "again"}}));
    const auto manager = MakeManager(data);
    QStringList calls;
    Recorder observer(calls, "o");
    manager->RegisterObserver(&observer);
    auto marker = std::make_shared<Marker>();
    manager->SetQssPreprocessor(marker);

    manager->SetTheme("light");
    manager->SetTheme("light");
    QCOMPARE(calls, (QStringList{"o:theme:light", "o:theme:light"}));
    QCOMPARE(marker->seen, (QStringList{"again\n\n\n\n", "again\n\n\n\n"}));
    QVERIFY(QFile::exists(":/again/style.qss"));

    // Registered twice now; each switch away undoes one registration.
    manager->SetTheme("");
    QVERIFY(QFile::exists(":/again/style.qss"));
    QVERIFY(QResource::unregisterResource(data.Theme("light") + "/again.rcc"));
    QVERIFY(!QFile::exists(":/again/style.qss"));
}

void LookAndFeelManagerTest::missingThemeDirectoryIsReported() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    const auto manager = MakeManager(data);
    QStringList calls;
    Recorder observer(calls, "o");
    manager->RegisterObserver(&observer);
    const std::string expected =
        "The directory [" + data.Root().toStdString() + "/resources/themes/nosuch] doesn't exist!";

    LogCapture log;
    manager->SetTheme("nosuch");
    QCOMPARE(log.Messages(google::GLOG_ERROR), std::vector<std::string>{expected});
    QCOMPARE(manager->GetCurrentTheme(), std::string("nosuch"));
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("\n\n"));
    QCOMPARE(calls, QStringList{"o:theme:nosuch"});

    manager->SetTheme("light");  // clearing asks for the resource list once more
    QCOMPARE(log.Messages(google::GLOG_ERROR), (std::vector<std::string>{expected, expected}));
    QCOMPARE(int(log.Records().size()), 2);
}

void LookAndFeelManagerTest::fontManifestRegistersFonts() {
    const QString fonts = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    if (!QFile::exists(fonts + "DejaVuSans.ttf") || !QFile::exists(fonts + "DejaVuSansMono.ttf")) {
        QSKIP("fonts-dejavu-core is not installed");
    }
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc(
        "light", "fontres.rcc",
        {{"fonts/DejaVuSans.ttf", "@file:" + (fonts + "DejaVuSans.ttf").toUtf8()},
         {"fonts/DejaVuSansMono.ttf", "@file:" + (fonts + "DejaVuSansMono.ttf").toUtf8()},
         {"fonts.manifest",
          ":/fontres/fonts/DejaVuSans.ttf\n  "
          ":/fontres/fonts/DejaVuSansMono.ttf\t:/fontres/none.ttf\n"}}));

    QFontDatabase::removeAllApplicationFonts();
    LogCapture log;
    const auto manager = MakeManager(data);
    manager->SetTheme("light");

    // Application font ids are small indices handed out in order.
    QStringList families;
    for (int id = 0; id < 8; ++id) {
        families << QFontDatabase::applicationFontFamilies(id);
    }
    QCOMPARE(families, (QStringList{"DejaVu Sans", "DejaVu Sans Mono"}));
    // The third word was passed on too; the font database reports that it is no font.
    QCOMPARE(log.Count(":/fontres/none.ttf"), 1);
    manager->SetTheme("");
    QFontDatabase::removeAllApplicationFonts();
}

void LookAndFeelManagerTest::preprocessorTakesEffectAtNextApply() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(
        data.AddThemeRcc("light", "pre.rcc",
                         {{"style.qss", "x{@c}"},
                          {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"red"}}})"}}));
    const auto manager = MakeManager(data);
    manager->SetTheme("light");
    const std::string before = manager->GetUnitedStylesheet();
    QCOMPARE(before, std::string("x{red}\n\n\n\n"));

    auto marker = std::make_shared<Marker>();
    manager->SetQssPreprocessor(marker);
    QCOMPARE(manager->GetUnitedStylesheet(), before);
    QVERIFY(marker->seen.isEmpty());

    manager->SetTheme("");
    QCOMPARE(manager->GetUnitedStylesheet(), before);
    manager->SetTheme("light");
    // It sees the sheet with its placeholders already replaced.
    QCOMPARE(marker->seen, QStringList{"x{red}\n\n\n\n"});
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("x{red}\n\n\n\n/*pp*/"));

    manager->SetQssPreprocessor(nullptr);
    manager->ApplyTheme({{":/pre/style.qss"}, {}, {}});
    QCOMPARE(manager->GetUnitedStylesheet(), std::string("x{@c}\n"));
    manager->SetTheme("");
}

void LookAndFeelManagerTest::observersToldInOrder() {
    DataDir data;
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "order.rcc", {{"style.qss", "built"}}));
    QVERIFY(data.AddDir("resources/locales/de_DE"));
    const auto manager = MakeManager(data);
    QStringList calls;
    Recorder a(calls, "a", manager.get());
    Recorder b(calls, "b");
    Recorder c(calls, "c");
    manager->RegisterObserver(&a);
    manager->RegisterObserver(&b);
    manager->RegisterObserver(&a);  // once only
    manager->RegisterObserver(&c);
    manager->UnregisterObserver(&c);
    manager->RegisterObserver(nullptr);

    manager->Initialize("de_DE", "light");
    QCOMPARE(calls,
             (QStringList{"a:locale:de_DE", "b:locale:de_DE", "a:theme:light", "b:theme:light"}));
    // Observers learn of a theme once its sheet is built.
    QCOMPARE(a.m_sheetWhenTold, std::string("built\n\n\n\n"));

    calls.clear();
    manager->UnregisterObserver(&a);
    manager->SetTheme("");
    manager->SetTheme("light");
    QCOMPARE(calls, QStringList{"b:theme:light"});
    manager->SetTheme("");
}

QUORVEL_TEST_MAIN(LookAndFeelManagerTest)
#include "tst_LookAndFeelManager.moc"
