#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <sys/stat.h>

#include <algorithm>

using namespace LookAndFeelTestData;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;
using Sheet = std::string;
using ThemeFiles = QMap<QString, ResourceFiles>;
Q_DECLARE_METATYPE(ThemeFiles)

namespace {

// Journals what it is told; the sheet as it was when told of a theme.
struct Recorder : Quorvel::App::ILookAndFeelObserver {
    Recorder(QStringList& calls, QString name, LookAndFeelManager* manager = nullptr)
        : calls(calls), name(std::move(name)), manager(manager) {}
    void OnLocaleChanged(const std::string& locale) override {
        calls << name + ":" + QString::fromStdString(locale);
    }
    void OnThemeChanged(const std::string& theme) override {
        calls << name + ":" + QString::fromStdString(theme);
        sheetWhenTold = manager ? manager->GetUnitedStylesheet() : "";
    }
    QStringList& calls;
    QString name;
    LookAndFeelManager* manager;
    Sheet sheetWhenTold;
};

struct Marker : IQssPreprocessor {
    void Preprocess(QString& sheet) override {
        seen << sheet;
        sheet += "/*pp*/";
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

ResourceFiles Fonts(const QByteArray& style, const QByteArray& json) {
    return {{"style.qss", style}, {"fonts.json", json}};
}

}  // namespace

class LookAndFeelManagerTest : public QObject {
    Q_OBJECT

    static std::unique_ptr<DescriptionRecorder> Make(const DataDir& data,
                                                     const Strings& filter = {}) {
        return std::make_unique<DescriptionRecorder>(data.Root().toStdString(), "title.json",
                                                     filter);
    }

private slots:
    void cleanup() { UnregisterCreatedResources(); }
    void discovery_data();
    void discovery();
    void localizedThemeName();
    void unitedStyleSheet_data();
    void unitedStyleSheet();
    void placeholdersReplacedOneAfterTheOther();
    void relativeSizesFollowTheDesktopFont();
    void descriptionAndProductSheets();
    void switching();
    void fontManifestRegistersFonts();
    void badThemeFilesAreNamedOnce_data();
    void badThemeFilesAreNamedOnce();
    void resourceFilesPastTheBoundAreRefused();
};

// Listed ignoring case, with a title only, cut at the first dot; titles come from themes/,
// every folder named exactly "themes" is searched. Construction applies nothing.
void LookAndFeelManagerTest::discovery_data() {
    QTest::addColumn<QString>("row");  // folders ("*": with a title) | themes | locales
    QTest::newRow("no resources") << "||";
    QTest::newRow("themes and locales") << "themes/b* themes/A* themes/plain themes/own.old* "
                                           "locales/fr_FR locales/de_DE.utf8 locales/En_US"
                                           "|A,b|de_DE,En_US,fr_FR";
    QTest::newRow("other folders named themes") << "themes/dark* themes/dark.old themes.bak/dark "
                                                   "themes.bak/gone Themes/dark|dark,dark,dark|";
}

void LookAndFeelManagerTest::discovery() {
    QFETCH(QString, row);
    DataDir data;
    for (QString dir : row.section('|', 0, 0).split(' ', Qt::SkipEmptyParts)) {
        QVERIFY(dir.endsWith('*') ? data.AddTheme(dir.mid(7).chopped(1))
                                  : data.AddDir("resources/" + dir));
    }
    const auto manager = Make(data);
    QCOMPARE('|' + Join(manager->GetThemes()) + '|' + Join(manager->GetLocales()),
             row.mid(row.indexOf('|')));
    QVERIFY(manager->GetCurrentTheme().empty() && manager->GetUnitedStylesheet().empty());
}

// Without a title in the locale: the theme's own name and one WARNING naming it.
void LookAndFeelManagerTest::localizedThemeName() {
    DataDir data;
    QVERIFY(data.AddTheme("light", R"({"de_DE": "Helles Thema ä"})"));
    QVERIFY(data.AddTheme("broken", "{ not json") && data.AddLocales({"de_DE", "fr_FR"}));
    LogCapture log;
    const auto manager = Make(data);
    QCOMPARE(Join(manager->GetThemes()), QString("broken,light"));  // still listed
    manager->SetLocale("de_DE");
    QCOMPARE(manager->GetLocalizedThemeName("light"), Sheet("Helles Thema ä"));
    // Title files are read at the first name asked for, and a broken one reported then.
    QCOMPARE(log.Count((data.Theme("broken") + "/title.json").toStdString()), 1);
    manager->SetLocale("fr_FR");
    QCOMPARE(manager->GetLocalizedThemeName("light"), Sheet("light"));
    QCOMPARE(manager->GetLocalizedThemeName("ghost"), Sheet("ghost"));
    QCOMPARE(log.Count("light") + log.Count("ghost"), 2);
}

void LookAndFeelManagerTest::unitedStyleSheet_data() {
    QTest::addColumn<ThemeFiles>("files");
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing present: two line feeds") << ThemeFiles{} << Strings{} << "\n\n";
    const ThemeFiles three{{"b.rcc", {{"style.qss", "b"}}},
                           {"A.rcc", {{"style.qss", "A"}}},
                           {"c.rcc", {{"style.qss", "c"}}},
                           {"notes.txt", {{"style.qss", "txt"}}}};
    QTest::newRow("all rcc files, ignoring case") << three << Strings{} << "A\n\nb\n\nc\n\n\n\n";
    QTest::newRow("filter order, missing name skipped")
        << three << Strings{"c", "missing", "A"} << "c\n\nA\n\n\n\n";
    // One replacement per placeholder in ascending order (@font before @fontBold); later
    // wins: the platform block over all_platforms, the locale (de_DE) over all_languages.
    QTest::newRow("order and precedence")
        << ThemeFiles{{"main.rcc",
                       Fonts("@a @b @c @d @fontBold @n @t @N",
                             R"({"all_platforms":{"all_languages":{"a":"any","b":"any","c":"any",
                                   "font":"X","fontBold":"Y","n":12,"t":true},
                                 "de_DE":{"b":"de","c":"de"},"fr_FR":{"a":"fr"}},
                                 "linux":{"all_languages":{"c":"linux"}},
                                 "win":{"all_languages":{"a":"win","d":"win"}}})")}}
        << Strings{} << "any de linux @d XBold 12 true @N\n\n\n\n";
    QTest::newRow("blocks of the wrong kind skipped")
        << ThemeFiles{{"main.rcc", Fonts("@b", R"({"all_platforms":{"all_languages":{"b":1},
                                              "de_DE":"no object"},"linux":"no object"})")}}
        << Strings{} << "1\n\n\n\n";
    QTest::newRow("later file wins in every sheet, bad JSON skipped")
        << ThemeFiles{{"a.rcc", Fonts("a:@c", R"({"all_platforms":{"all_languages":{"c":"1"}}})")},
                      {"b.rcc",
                       {{"fonts_linux.qss", "b:@c"},
                        {"fonts.json", R"({"all_platforms":{"all_languages":{"c":"2"}}})"}}},
                      {"c.rcc", {{"fonts.json", R"({"all_platforms": {"all_languages": )"}}}}
        << Strings{} << "a:2\n\n\nb:2\n\n\n\n\n";
    // From fuzzing (a timeout): each value names the next placeholder ten times.
    QTest::newRow("placeholders that multiply stop at the limit of a sheet")
        << ThemeFiles{{"main.rcc", Fonts("@", R"({"all_platforms":{"all_languages":{
         "":"@a@a@a@a@a@a@a@a@a@a", "a":"@b@b@b@b@b@b@b@b@b@b", "b":"@c@c@c@c@c@c@c@c@c@c",
         "c":"@d@d@d@d@d@d@d@d@d@d", "d":"@e@e@e@e@e@e@e@e@e@e", "e":"@f@f@f@f@f@f@f@f@f@f",
         "f":"@g@g@g@g@g@g@g@g@g@g", "g":"@h@h@h@h@h@h@h@h@h@h"}}})")}}
        << Strings{} << QString("@f").repeated(1000000) + "\n\n\n\n";
    // Against a desktop font of 10pt; a refused size leaves what the placeholder had without it.
    QTest::newRow("sizes relative to the desktop's font")
        << ThemeFiles{{"main.rcc", Fonts("@b @t @z @n @x @h @e @p",
                                         R"({"all_platforms":{"all_languages":{"b":"1.0em",
                                   "t":" 1.85em","z":"9pt","n":"-1em","x":"abcem","h":"10.5em",
                                   "e":"em","p":"10em"},"de_DE":{"z":"0em"}}})")}}
        << Strings{} << "10.0pt 18.5pt 9pt @n @x @h @e 100.0pt\n\n\n\n";
}

void LookAndFeelManagerTest::unitedStyleSheet() {
    QFETCH(ThemeFiles, files);
    QFETCH(Strings, filter);
    DataDir data;
    QVERIFY(data.AddTheme("light") && data.AddLocales({"de_DE"}));
    for (auto it = files.begin(); it != files.end(); ++it) {
        QVERIFY(data.AddThemeRcc("light", it.key(), it.value()));
    }
    const auto manager = Make(data, filter);
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(QFont(desktopFont.family(), 10));
    manager->SetLocale("de_DE");
    manager->SetTheme("light");
    QApplication::setFont(desktopFont);
    QTEST(QString::fromStdString(manager->GetUnitedStylesheet()), "expected");
}

// A change of the desktop's font rebuilds a sheet with relative sizes once and tells the
// observers; one with fixed sizes only is left alone. A refused size is named once.
void LookAndFeelManagerTest::relativeSizesFollowTheDesktopFont() {
    DataDir data;
    QVERIFY(data.AddTheme("light") && data.AddTheme("dark"));
    QVERIFY(
        data.AddThemeRcc("light", "main.rcc", Fonts("@b @x", R"({"all_platforms":{"all_languages":{
                                              "b":"1.5em","x":"0.0em"}}})")));
    QVERIFY(data.AddThemeRcc("dark", "main.rcc",
                             Fonts("@b", R"({"all_platforms":{"all_languages":{"b":"9pt"}}})")));
    const auto manager = Make(data);
    QStringList calls;
    Recorder recorder(calls, "r", manager.get());
    manager->RegisterObserver(&recorder);
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(QFont(desktopFont.family(), 10));
    LogCapture log;
    manager->SetTheme("light");
    QApplication::setFont(QFont(desktopFont.family(), 12));
    QApplication::setFont(QFont(desktopFont.family(), 14));
    QCoreApplication::processEvents();
    const Sheet relative = recorder.sheetWhenTold;
    manager->SetTheme("dark");
    QApplication::setFont(desktopFont);
    QCoreApplication::processEvents();
    manager->UnregisterObserver(&recorder);
    QCOMPARE(QString::fromStdString(relative), QString("21.0pt @x\n\n\n\n"));
    QCOMPARE(calls.join(' '), QString("r:light r:light r:dark"));
    QCOMPARE(log.Count("\"all_platforms.all_languages.x\""), 1);
}

// Random sheets of a few letters and marks against one QString::replace per placeholder, in
// ascending order: placeholders spoiled, completed across replacements, brought by them.
void LookAndFeelManagerTest::placeholdersReplacedOneAfterTheOther() {
    QTemporaryDir dir;
    LookAndFeelManager manager(dir.path().toStdString(), "title.json", {});
    QRandomGenerator random(11);
    const auto word = [&random](int longest, const QString& letters) {
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
        QVERIFY(WriteFile(dir.filePath("s.qss"), sheet.toUtf8()));
        QVERIFY(WriteFile(
            dir.filePath("f.json"),
            QJsonDocument(QJsonObject{{"all_platforms", QJsonObject{{"all_languages", fonts}}}})
                .toJson()));
        manager.ApplyTheme(
            {{dir.filePath("s.qss").toStdString()}, {dir.filePath("f.json").toStdString()}, {}});
        QCOMPARE(QString::fromStdString(manager.GetUnitedStylesheet()), expected);
    }
}

// The filter's files in order, whatever Qt makes of them, then the product's own sheets.
void LookAndFeelManagerTest::descriptionAndProductSheets() {
    DataDir data;
    QVERIFY(data.AddTheme("light") && data.AddThemeRcc("light", "gamma.rcc", {{"style.qss", "g"}}));
    QVERIFY(
        data.AddThemeRcc("light", "Beta.rcc",
                         Fonts("b", R"({"all_platforms":{"all_languages":{"accent":"teal"}}})")));
    QVERIFY(data.AddDir("resources/themes/light/folder.rcc"));
    QVERIFY(WriteFile(data.Theme("light") + "/junk.rcc", "\x01junk\xff"));
    QVERIFY(MakeRcc(data.Path("product.rcc"), "",
                    {{"productStyle.qss", "product @accent"},
                     {"productStyle_linux.qss", "product linux"},
                     {"productStyle_win.qss", "product win"}}));
    QVERIFY(QResource::registerResource(data.Path("product.rcc")));
    const auto manager = Make(data, {"gamma", "folder", "junk", "Beta"});
    manager->SetTheme("light");
    QCOMPARE(manager->last.styleSheets,
             (Strings{":/gamma/style.qss", ":/gamma/fonts_linux.qss", ":/junk/style.qss",
                      ":/junk/fonts_linux.qss", ":/Beta/style.qss", ":/Beta/fonts_linux.qss",
                      ":/productStyle.qss", ":/productStyle_linux.qss"}));
    QCOMPARE(manager->GetUnitedStylesheet(), Sheet("g\n\n\n\nb\n\nproduct teal\nproduct linux\n"));
}

void LookAndFeelManagerTest::switching() {
    DataDir data;
    QVERIFY(data.AddTheme("light") && data.AddTheme("dark") && data.AddLocales({"de_DE", "fr_FR"}));
    QVERIFY(data.AddThemeRcc("light", "lightres.rcc",
                             Fonts("x{@c}", R"({"all_platforms":{"all_languages":{"c":"1"},
                                                "de_DE":{"c":"2"}}})")));
    QVERIFY(data.AddThemeRcc("dark", "darkres.rcc", {{"style.qss", "dark"}}));
    // Not listed, its title file being a dangling link, but usable all the same.
    QVERIFY(data.AddThemeRcc("locked", "lockedres.rcc", {{"style.qss", "locked"}}));
    QVERIFY(QFile::link(data.Path("nowhere.json"), data.Theme("locked") + "/title.json"));
    const auto manager = Make(data);
    QCOMPARE(Join(manager->GetThemes()), QString("dark,light"));
    QStringList calls;
    Recorder a(calls, "a", manager.get()), b(calls, "b");
    for (Recorder* observer : {&a, &b, &a}) {  // twice is once
        manager->RegisterObserver(observer);
    }
    // The locale goes first, and observers hear of a theme once its sheet is built.
    manager->Initialize("de_DE", "light");
    QCOMPARE(calls, (QStringList{"a:de_DE", "b:de_DE", "a:light", "b:light"}));
    QCOMPARE(a.sheetWhenTold, Sheet("x{2}\n\n\n\n"));
    manager->UnregisterObserver(&a);

    // The locale and a preprocessor take effect at the next theme, the same one rebuilt.
    manager->SetLocale("fr_FR");
    auto marker = std::make_shared<Marker>();
    manager->SetQssPreprocessor(marker);
    QCOMPARE(manager->GetUnitedStylesheet(), Sheet("x{2}\n\n\n\n"));
    manager->SetTheme("light");
    QCOMPARE(marker->seen, QStringList{"x{1}\n\n\n\n"});
    QCOMPARE(manager->GetUnitedStylesheet(), Sheet("x{1}\n\n\n\n/*pp*/"));

    // Registered twice by now: switching away undoes one registration.
    manager->SetTheme("dark");
    QVERIFY(QFile::exists(":/darkres/style.qss"));
    QVERIFY(QResource::unregisterResource(data.Theme("light") + "/lightres.rcc"));
    QVERIFY(!QFile::exists(":/lightres/style.qss"));
    manager->SetTheme("locked");
    QVERIFY(!QFile::exists(":/darkres/style.qss"));
    QCOMPARE(manager->GetUnitedStylesheet(), Sheet("locked\n\n\n\n/*pp*/"));

    // A missing folder is reported at the switch and when clearing it; an empty name
    // clears, keeps the last sheet and tells nobody.
    LogCapture log;
    manager->SetTheme("nosuch");
    QCOMPARE(manager->GetCurrentTheme(), Sheet("nosuch"));
    manager->SetTheme("");
    QVERIFY(manager->GetCurrentTheme().empty());
    QCOMPARE(manager->GetUnitedStylesheet(), Sheet("\n\n/*pp*/"));
    QCOMPARE(log.Count(data.Theme("nosuch").toStdString()), 2);
    QCOMPARE(int(log.Records().size()), 2);
    QCOMPARE(calls.mid(4), (QStringList{"b:fr_FR", "b:light", "b:dark", "b:locked", "b:nosuch"}));
}

void LookAndFeelManagerTest::fontManifestRegistersFonts() {
    QFile sans("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (!sans.open(QIODevice::ReadOnly)) {
        QSKIP("fonts-dejavu-core is not installed");
    }
    DataDir data;
    // Resource paths work: the theme's files are registered before its manifest is read.
    QVERIFY(data.AddTheme("light") &&
            data.AddThemeRcc("light", "fontres.rcc",
                             {{"sans.ttf", sans.readAll()},
                              {"fonts.manifest", ":/fontres/sans.ttf\n\t:/none.ttf \n"}}));
    LogCapture log;
    Make(data)->SetTheme("light");
    QCOMPARE(log.Count(":/none.ttf"), 1);
    QCOMPARE(log.Count("sans.ttf"), 0);
}

// Each refused file is named in one WARNING, however often it is met, and never waited on;
// the theme shows what it would without it.
void LookAndFeelManagerTest::badThemeFilesAreNamedOnce_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");  // of "light", listed only when there is one
    QTest::newRow("title file is a FIFO") << "title.json" << QString("fifo") << "";
    QTest::newRow("title too long for a menu")
        << "title.json" << QString("long") << QString(1024, 'T');
    QTest::newRow("resource file Qt refuses") << "junk.rcc" << QString("\x01junk") << "Light";
    // From fuzzing: Qt takes the header and reads where the tree says.
    QTest::newRow("resource file whose tree points outside it")
        << "main.rcc" << QString("far") << "Light";
    QTest::newRow("resource file is a FIFO") << "main.rcc" << QString("fifo") << "Light";
}

void LookAndFeelManagerTest::badThemeFilesAreNamedOnce() {
    QFETCH(QString, file);
    QFETCH(QString, kind);
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
    } else {
        QVERIFY(WriteFile(path, kind == "long" ? R"({"en_US": ")" + QByteArray(5000, 'T') + "\"}"
                                               : kind.toUtf8()));
    }
    LogCapture log;
    const auto manager = Make(data, {"main", "junk"});
    manager->SetLocale("en_US");
    manager->SetTheme("light");
    manager->SetTheme("light");
    QFETCH(QString, title);
    QCOMPARE(Join(manager->GetThemes()), title.isEmpty() ? "" : "light");
    QCOMPARE(QString::fromStdString(manager->GetLocalizedThemeName("light")),
             title.isEmpty() ? "light" : title);
    QCOMPARE(log.Count(path.toStdString()), 1);
}

// The first 1000 files by name are taken, each contributing its sheet; the rest are refused in
// one WARNING naming the folder and their number, however often the theme is set.
void LookAndFeelManagerTest::resourceFilesPastTheBoundAreRefused() {
    DataDir data;
    QVERIFY(data.AddTheme("many") && data.AddThemeRcc("many", "t0000.rcc", Fonts("A{}", "{}")));
    const QString first = data.Theme("many") + "/t0000.rcc";
    for (int i = 1; i <= 1001; ++i) {
        QVERIFY(
            QFile::copy(first, data.Theme("many") + QString("/t%1.rcc").arg(i, 4, 10, QChar('0'))));
    }
    LogCapture log;
    const auto manager = Make(data);
    manager->SetTheme("many");
    manager->SetTheme("many");
    const auto& sheets = manager->last.styleSheets;
    QVERIFY(std::count(sheets.begin(), sheets.end(), ":/t0999/style.qss") == 1);
    QVERIFY(std::count(sheets.begin(), sheets.end(), ":/t1000/style.qss") == 0);
    QCOMPARE(log.Count(data.Theme("many").toStdString() + "] has 1002 resource files"), 1);
    manager->SetTheme("");  // its files are unregistered before the folder goes
}

QUORVEL_TEST_MAIN(LookAndFeelManagerTest)
#include "tst_LookAndFeelManager.moc"
