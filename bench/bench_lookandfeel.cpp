// The look and feel's costs, each beside what Qt pays for the same change in the same run:
//
//   - SetTheme between the demo's two themes, with the united sheet read back as the product
//     reads it (GetUnitedStylesheet, then to a QString), against QApplication::setStyleSheet of
//     the resulting sheets on a shown window of ordinary widgets (target: at most a fifth);
//   - ApplyTheme of a generated 200 KB sheet with 100 placeholders, read back the same way,
//     against setStyleSheet of the result (target: at most a fifth);
//   - SetLocale between German and Russian against the same translators removed, loaded and
//     installed by hand; both tell the shown window of the change;
//   - SetTheme to and away from a theme of 1000 small resource files against one of 250: the
//     cost grows with the files a theme takes (about 4), and of a theme of 10,000 files only
//     the 1000 it takes cost more than their listing (about 2).
//
// Default mode runs Google Benchmark and prints the wall-time ratios. Counting mode
// (--count=<case> --events=N) runs one case's operation exactly N times for callgrind, as
// run_benchmarks.sh drives it. The demo's data directory is the build's.

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/Util/TextConversion.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtEndian>

#include "CountingLoop.h"
#include "ProductWindow.h"
#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Outside an anonymous namespace, so that callgrind can collect Repeat alone by its name.
namespace QuorvelBench {

using Quorvel::App::LookAndFeelManager;
using Quorvel::Util::Utf8ToQString;

const std::string kDataDir = QUORVEL_DEMO_DATA_DIR;

const std::string kThemes[] = {"light", "dark"};
const std::string kLocales[] = {"de_DE", "ru_RU"};

std::unique_ptr<LookAndFeelManager> DemoManager() {
    return std::make_unique<LookAndFeelManager>(Quorvel::ioPath(kDataDir), "titles.json",
                                                std::list<std::string>());
}

// The united sheet as a product takes it to apply it.
QString UnitedSheet(LookAndFeelManager& manager) {
    return Utf8ToQString(manager.GetUnitedStylesheet());
}

// The window that a sheet styles and a language change reaches; the application's sheet goes
// with it.
class ShownWindow {
public:
    ShownWindow() { m_window.show(); }
    ~ShownWindow() { qApp->setStyleSheet(QString()); }

private:
    ProductWindow m_window;
};

// ---------------------------------------------------------------------------------------------
// The demo's themes

// Each theme set once first: its fonts are registered at the first switch only.
class DemoThemes {
public:
    DemoThemes() {
        m_manager->SetLocale("en_US");
        for (const std::string& theme : kThemes) {
            m_manager->SetTheme(theme);
            m_sheets.push_back(UnitedSheet(*m_manager));
        }
    }
    LookAndFeelManager& Manager() { return *m_manager; }
    const QString& Sheet(int index) const { return m_sheets[index]; }

private:
    std::unique_ptr<LookAndFeelManager> m_manager = DemoManager();
    std::vector<QString> m_sheets;
};

// Back and forth between the two themes, as a user switching in the View menu.
class SetThemeCase {
public:
    void operator()() {
        m_next ^= 1;
        m_themes.Manager().SetTheme(kThemes[m_next]);
        QString sheet = UnitedSheet(m_themes.Manager());
        benchmark::DoNotOptimize(sheet);
    }

private:
    DemoThemes m_themes;
    int m_next = 1;  // the theme set last, so that the first call switches too
};

class SetThemeSheetCase {
public:
    void operator()() {
        m_next ^= 1;
        qApp->setStyleSheet(m_themes.Sheet(m_next));
    }

private:
    DemoThemes m_themes;
    ShownWindow m_window;
    int m_next = 0;
};

// ---------------------------------------------------------------------------------------------
// A generated theme: 200 KB of rules that use 100 placeholders

constexpr int kPlaceholderKinds = 4;
constexpr int kPlaceholdersPerKind = 25;
constexpr int kSheetBytes = 200 * 1024;

// Two digits each, so that no placeholder is the beginning of another.
QString Placeholder(int kind, int index) {
    static const char* const kinds[kPlaceholderKinds] = {"colour", "surface", "fontSize",
                                                         "spacing"};
    return QStringLiteral("%1%2").arg(kinds[kind]).arg(index, 2, 10, QLatin1Char('0'));
}

QString PlaceholderValue(int kind, int index) {
    switch (kind) {
        case 0:
            return QStringLiteral("#%1").arg(0x102030 + index * 0x040506, 6, 16, QLatin1Char('0'));
        case 1:
            return QStringLiteral("#%1").arg(0xf0f4f8 - index * 0x020202, 6, 16, QLatin1Char('0'));
        case 2:
            return QStringLiteral("%1pt").arg(8 + index % 10);
        default:
            return QStringLiteral("%1px").arg(index % 12);
    }
}

// Rules for widgets of the window and for many named ones it does not have, as a product
// with many panels would write them.
QByteArray GeneratedSheet() {
    QString sheet = QStringLiteral(
        "QLabel#valueLabel {\n    color: @colour00;\n    font-size: @fontSize00;\n}\n"
        "QPushButton {\n    background: @surface00;\n    padding: @spacing00;\n}\n");
    for (int rule = 0; sheet.size() < kSheetBytes; ++rule) {
        const int index = rule % kPlaceholdersPerKind;
        sheet += QStringLiteral(
                     "QGroupBox#panel%1 QLabel#caption%2 {\n    color: @%3;\n"
                     "    background: @%4;\n    font-size: @%5;\n    padding: @%6;\n}\n")
                     .arg(rule / 8)
                     .arg(rule)
                     .arg(Placeholder(0, index), Placeholder(1, (index + 7) % kPlaceholdersPerKind),
                          Placeholder(2, (index + 3) % kPlaceholdersPerKind),
                          Placeholder(3, (index + 11) % kPlaceholdersPerKind));
    }
    return sheet.toUtf8();
}

QByteArray GeneratedFonts() {
    QByteArray members;
    for (int kind = 0; kind < kPlaceholderKinds; ++kind) {
        for (int index = 0; index < kPlaceholdersPerKind; ++index) {
            members +=
                (members.isEmpty() ? "\n" : ",\n") +
                ("\"" + Placeholder(kind, index) + "\": \"" + PlaceholderValue(kind, index) + "\"")
                    .toUtf8();
        }
    }
    return "{\"all_platforms\": {\"all_languages\": {" + members + "\n}}}\n";
}

class GeneratedTheme {
public:
    GeneratedTheme() {
        const QString sheet = m_dir.filePath(QStringLiteral("style.qss"));
        const QString fonts = m_dir.filePath(QStringLiteral("fonts.json"));
        if (!Write(sheet, GeneratedSheet()) || !Write(fonts, GeneratedFonts())) {
            std::cerr << "cannot write the generated theme into " << m_dir.path().toStdString()
                      << '\n';
            std::abort();
        }
        m_description.styleSheets.push_back(Quorvel::Util::QStringToUtf8(sheet));
        m_description.fontConfigs.push_back(Quorvel::Util::QStringToUtf8(fonts));
        m_manager->ApplyTheme(m_description);
        if (UnitedSheet(*m_manager).contains(QLatin1Char('@'))) {
            std::cerr << "a placeholder of the generated theme was not replaced\n";
            std::abort();
        }
    }
    void Apply() { m_manager->ApplyTheme(m_description); }
    LookAndFeelManager& Manager() { return *m_manager; }

private:
    static bool Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QTemporaryDir m_dir;
    Quorvel::App::ILookAndFeelManager::ThemeDescription m_description;
    std::unique_ptr<LookAndFeelManager> m_manager = DemoManager();
};

class ApplyThemeCase {
public:
    void operator()() {
        m_theme.Apply();
        QString sheet = UnitedSheet(m_theme.Manager());
        benchmark::DoNotOptimize(sheet);
    }

private:
    GeneratedTheme m_theme;
};

class ApplyThemeSheetCase {
public:
    void operator()() { qApp->setStyleSheet(m_sheet); }

private:
    GeneratedTheme m_theme;
    QString m_sheet = UnitedSheet(m_theme.Manager());
    ShownWindow m_window;
};

// ---------------------------------------------------------------------------------------------
// Languages

class SetLocaleCase {
public:
    SetLocaleCase() { m_manager->SetLocale(kLocales[0]); }
    void operator()() {
        m_next ^= 1;
        m_manager->SetLocale(kLocales[m_next]);
    }

private:
    std::unique_ptr<LookAndFeelManager> m_manager = DemoManager();
    ShownWindow m_window;
    int m_next = 0;
};

// What a product without the manager does: it knows its files.
class SetLocaleByHandCase {
public:
    SetLocaleByHandCase() { Install(kLocales[0]); }
    ~SetLocaleByHandCase() { Remove(); }
    void operator()() {
        m_next ^= 1;
        Remove();
        Install(kLocales[m_next]);
    }

private:
    void Install(const std::string& locale) {
        const QString folder = Utf8ToQString(kDataDir + "/resources/locales/" + locale + "/");
        for (const char* name : {"demo_", "quorvel_"}) {
            auto translator = std::make_unique<QTranslator>();
            const QString file = folder + name + Utf8ToQString(locale) + ".qm";
            if (!translator->load(file)) {
                std::cerr << file.toStdString() << " does not load\n";
                std::abort();
            }
            QCoreApplication::installTranslator(translator.get());
            m_translators.push_back(std::move(translator));
        }
    }
    void Remove() {
        for (const auto& translator : m_translators) {
            QCoreApplication::removeTranslator(translator.get());
        }
        m_translators.clear();
    }

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    ShownWindow m_window;
    int m_next = 0;
};

// ---------------------------------------------------------------------------------------------
// A theme of many small resource files

// The hash by which Qt finds a name among its siblings in a compiled resource file.
quint32 ResourceNameHash(const QString& name) {
    quint32 hash = 0;
    for (const QChar c : name) {
        hash = (hash << 4) + c.unicode();
        hash ^= (hash & 0xf0000000) >> 23;
        hash &= 0x0fffffff;
    }
    return hash;
}

// A compiled resource file (format 1) holding ":/<base>/style.qss", as rcc would write it.
QByteArray SmallResourceFile(const QString& base) {
    auto big32 = [](QByteArray& to, quint32 value) {
        const quint32 big = qToBigEndian(value);
        to.append(reinterpret_cast<const char*>(&big), 4);
    };
    auto big16 = [](QByteArray& to, quint16 value) {
        const quint16 big = qToBigEndian(value);
        to.append(reinterpret_cast<const char*>(&big), 2);
    };
    QByteArray names;
    auto name = [&](const QString& text) {
        const quint32 at = quint32(names.size());
        big16(names, quint16(text.size()));
        big32(names, ResourceNameHash(text));
        for (const QChar c : text) big16(names, c.unicode());
        return at;
    };
    const quint32 folderName = name(base);
    const quint32 sheetName = name(QStringLiteral("style.qss"));
    const QByteArray sheet = ("QLabel#" + base + " { color: #102030; }\n").toUtf8();
    QByteArray payloads;
    big32(payloads, quint32(sheet.size()));
    payloads += sheet;
    QByteArray tree;
    using Node = std::tuple<quint32, int, quint32, quint32>;  // name, flags, then two by kind
    for (const auto& [nameAt, flags, first, second] :
         {Node{0, 2, 1, 1}, Node{folderName, 2, 1, 2}, Node{sheetName, 0, 1, 0}}) {
        big32(tree, nameAt);
        big16(tree, quint16(flags));
        if (flags == 2) {  // a folder: its number of children, then its first child
            big32(tree, first);
            big32(tree, second);
        } else {  // a file in any country, language C, then where its bytes are
            big16(tree, 0);
            big16(tree, 1);
            big32(tree, second);
        }
    }
    QByteArray file("qres");
    const quint32 namesAt = 20;
    const quint32 payloadsAt = namesAt + quint32(names.size());
    const quint32 treeAt = payloadsAt + quint32(payloads.size());
    for (const quint32 value : {1u, treeAt, payloadsAt, namesAt}) big32(file, value);
    return file + names + payloads + tree;
}

// A data folder with the theme "many" of `count` resource files, written once per process.
const std::string& ManyFilesData(int count) {
    static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, std::string>> made;
    auto& [dir, root] = made[count];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QString theme = dir->filePath(QStringLiteral("resources/themes/many"));
        bool written = QDir().mkpath(theme);
        QFile title(theme + QStringLiteral("/titles.json"));
        written = written && title.open(QIODevice::WriteOnly) && title.write("{}") == 2;
        for (int i = 0; written && i < count; ++i) {
            const QString base = QStringLiteral("t%1").arg(i, 5, 10, QLatin1Char('0'));
            QFile file(theme + '/' + base + QStringLiteral(".rcc"));
            const QByteArray bytes = SmallResourceFile(base);
            written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
        if (!written) {
            std::cerr << "cannot write a theme of " << count << " files\n";
            std::abort();
        }
        root = Quorvel::Util::QStringToUtf8(dir->path());
    }
    return root;
}

// To the theme and away, so that its files are registered and unregistered each time.
template <int kFiles>
class ManyFilesCase {
public:
    ManyFilesCase() {
        m_manager.SetLocale("en_US");
        m_manager.SetTheme("many");
        if (!UnitedSheet(m_manager).contains(QStringLiteral("QLabel#t00000"))) {
            std::cerr << "the theme of " << kFiles << " files yields no sheet\n";
            std::abort();
        }
        m_manager.SetTheme(std::string());
    }
    void operator()() {
        m_manager.SetTheme("many");
        m_manager.SetTheme(std::string());
    }

private:
    LookAndFeelManager m_manager{Quorvel::ioPath(ManyFilesData(kFiles)), "titles.json", {}};
};

// ---------------------------------------------------------------------------------------------
// Running

const CountedCase kCountCases[] = {
    {"set-theme", &Count<SetThemeCase>},
    {"set-theme-sheet", &Count<SetThemeSheetCase>},
    {"apply-theme", &Count<ApplyThemeCase>},
    {"apply-theme-sheet", &Count<ApplyThemeSheetCase>},
    {"set-locale", &Count<SetLocaleCase>},
    {"set-locale-by-hand", &Count<SetLocaleByHandCase>},
    {"many-files-1000", &Count<ManyFilesCase<1000>>},
    {"empty", &Count<EmptyCase>},
};

const RatioPair kPairs[] = {
    {"SetTheme (demo themes) / setStyleSheet of its sheet", "LookAndFeel/SetTheme_demo",
     "LookAndFeel/baseline_setStyleSheet_demo", 0.2},
    {"ApplyTheme (200 KB, 100 placeholders) / setStyleSheet of its sheet",
     "LookAndFeel/ApplyTheme_200KB", "LookAndFeel/baseline_setStyleSheet_200KB", 0.2},
    {"SetLocale (German, Russian) / translators by hand", "LookAndFeel/SetLocale",
     "LookAndFeel/baseline_translators_by_hand"},
    {"SetTheme, 1000 resource files / 250 (about 4: linear)", "LookAndFeel/SetTheme_1000_files",
     "LookAndFeel/baseline_SetTheme_250_files"},
    {"SetTheme, 10,000 resource files / 1000 (about 2: the 9000 refused are only listed)",
     "LookAndFeel/SetTheme_10000_files", "LookAndFeel/SetTheme_1000_files"},
};

}  // namespace QuorvelBench

int main(int argc, char** argv) {
    using namespace QuorvelBench;
    QApplication app(argc, argv);
    if (const auto status = CountIfAsked(argc, argv, kCountCases)) {
        return *status;
    }

    return RunAndPrintRatios(
        argc, argv,
        {{"LookAndFeel/SetTheme_demo", &Measure<SetThemeCase>},
         {"LookAndFeel/baseline_setStyleSheet_demo", &Measure<SetThemeSheetCase>},
         {"LookAndFeel/ApplyTheme_200KB", &Measure<ApplyThemeCase>},
         {"LookAndFeel/baseline_setStyleSheet_200KB", &Measure<ApplyThemeSheetCase>},
         {"LookAndFeel/SetLocale", &Measure<SetLocaleCase>},
         {"LookAndFeel/baseline_translators_by_hand", &Measure<SetLocaleByHandCase>},
         {"LookAndFeel/baseline_SetTheme_250_files", &Measure<ManyFilesCase<250>>},
         {"LookAndFeel/SetTheme_1000_files", &Measure<ManyFilesCase<1000>>},
         {"LookAndFeel/SetTheme_10000_files", &Measure<ManyFilesCase<10000>>}},
        kPairs, 1e6, "us");
}
