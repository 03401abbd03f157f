// The look and feel's costs, each beside what Qt pays for the same change in the same run:
//
//   - SetTheme between the demo's two themes, with the united sheet read back as the product
//     reads it (GetUnitedStylesheet, then to a QString), against QApplication::setStyleSheet of
//     the resulting sheets on a shown window of ordinary widgets (target: at most a fifth);
//   - ApplyTheme of a generated 200 KB sheet with 100 placeholders, read back the same way,
//     against setStyleSheet of the result (target: at most a fifth);
//   - SetLocale between German and Russian against the same translators removed, loaded and
//     installed by hand; both tell the shown window of the change.
//
// Default mode runs Google Benchmark and prints the wall-time ratios. Counting mode
// (--count=<case> --events=N) runs one case's operation exactly N times for callgrind, as
// run_benchmarks.sh drives it. The demo's data directory is the build's.

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/Util/TextConversion.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

#include "CountingLoop.h"
#include "ProductWindow.h"
#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <list>
#include <memory>
#include <string>
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
// Running

const CountedCase kCountCases[] = {
    {"set-theme", &Count<SetThemeCase>},
    {"set-theme-sheet", &Count<SetThemeSheetCase>},
    {"apply-theme", &Count<ApplyThemeCase>},
    {"apply-theme-sheet", &Count<ApplyThemeSheetCase>},
    {"set-locale", &Count<SetLocaleCase>},
    {"set-locale-by-hand", &Count<SetLocaleByHandCase>},
    {"empty", &Count<EmptyCase>},
};

const RatioPair kPairs[] = {
    {"SetTheme (demo themes) / setStyleSheet of its sheet", "LookAndFeel/SetTheme_demo",
     "LookAndFeel/baseline_setStyleSheet_demo", 0.2},
    {"ApplyTheme (200 KB, 100 placeholders) / setStyleSheet of its sheet",
     "LookAndFeel/ApplyTheme_200KB", "LookAndFeel/baseline_setStyleSheet_200KB", 0.2},
    {"SetLocale (German, Russian) / translators by hand", "LookAndFeel/SetLocale",
     "LookAndFeel/baseline_translators_by_hand"},
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
         {"LookAndFeel/baseline_translators_by_hand", &Measure<SetLocaleByHandCase>}},
        kPairs, 1e6, "us");
}
