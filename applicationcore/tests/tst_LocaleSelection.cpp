#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QLocale>

using namespace LookAndFeelTestData;
using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;
using Strings = std::list<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace {

// A system that prefers the given languages, and a product that may prefer a locale.
class ScriptedManager : public LookAndFeelManager {
public:
    ScriptedManager(const QString& root, Strings filter, QStringList systemLanguages,
                    std::string defaultLocale = "unknown")
        : LookAndFeelManager(root.toStdString(), "title.json", filter),
          m_systemLanguages(std::move(systemLanguages)),
          m_defaultLocale(std::move(defaultLocale)) {}

    std::string GetDefaultLocale() const override { return m_defaultLocale; }

protected:
    QStringList GetSystemLanguages() const override { return m_systemLanguages; }

private:
    QStringList m_systemLanguages;
    std::string m_defaultLocale;
};

struct LocaleRecorder : ILookAndFeelObserver {
    void OnLocaleChanged(const std::string& locale) override { told.push_back(locale); }
    void OnThemeChanged(const std::string&) override {}
    std::vector<std::string> told;
};

bool AddLocales(const DataDir& data, const QStringList& locales) {
    for (const QString& locale : locales) {
        if (!data.AddDir(QStringLiteral("resources/locales/") + locale)) {
            return false;
        }
    }
    return true;
}

// Keeps the default QLocale of the process as a test found it.
struct DefaultLocaleGuard {
    ~DefaultLocaleGuard() { QLocale::setDefault(saved); }
    QLocale saved;
};

}  // namespace

class LocaleSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { LookAndFeelTestData::UnregisterCreatedResources(); }
    void selection_data();
    void selection();
    void defaultQLocaleLanguages_data();
    void defaultQLocaleLanguages();
    void translationFiles_data();
    void translationFiles();
    void translatorsReplacedOnChange();
    void sameEffectiveLocaleNotifiesOnce();
    void emptyRequestOverridesInstalledCurrent();
    void placeholdersFollowLocaleAtNextTheme();
};

void LocaleSelectionTest::selection_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<QString>("productDefault");
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("expected");

    const QStringList three{"de_DE", "en_US", "pt_BR"};
    QTest::newRow("installed request kept") << three << QStringList{"pt-PT"} << "unknown"
                                            << "de_DE"
                                            << "de_DE";
    QTest::newRow("first system candidate wins")
        << three << QStringList{"pt-PT", "de-DE"} << "unknown"
        << ""
        << "pt_BR";
    QTest::newRow("unknown request takes the system")
        << three << QStringList{"de-DE", "pt-PT"} << "unknown"
        << "unknown"
        << "de_DE";
    QTest::newRow("request not installed takes the system")
        << three << QStringList{"de-DE"} << "unknown"
        << "fr_FR"
        << "de_DE";
    QTest::newRow("first candidate without a match is passed over")
        << three << QStringList{"fr-FR", "de-DE"} << "unknown"
        << ""
        << "de_DE";
    QTest::newRow("Hong Kong Chinese is traditional")
        << QStringList{"en_US", "zh_CN", "zh_TW"} << QStringList{"zh-HK"} << "unknown"
        << ""
        << "zh_TW";
    QTest::newRow("mainland Chinese is simplified")
        << QStringList{"en_US", "zh_CN", "zh_TW"} << QStringList{"zh-CN"} << "unknown"
        << ""
        << "zh_CN";
    QTest::newRow("any Portuguese is Brazilian") << three << QStringList{"pt"} << "unknown"
                                                 << ""
                                                 << "pt_BR";
    QTest::newRow("en is no en_US")
        << QStringList{"de_DE", "en"} << QStringList{"en-US"} << "unknown"
        << ""
        << "en_US";
    QTest::newRow("installed name extending the candidate")
        << QStringList{"de_AT", "en_US_custom"} << QStringList{"en-US"} << "unknown"
        << ""
        << "en_US_custom";
    QTest::newRow("no match, product default") << three << QStringList{"fr-FR"} << "de_DE"
                                               << ""
                                               << "de_DE";
    QTest::newRow("no match, product default not installed")
        << three << QStringList{"fr-FR"} << "it_IT"
        << ""
        << "it_IT";
    QTest::newRow("no match, empty product default")
        << QStringList{"de_DE"} << QStringList{"fr-FR"} << ""
        << ""
        << "en_US";
    QTest::newRow("no match, nothing installed")
        << QStringList{} << QStringList{"de-DE"} << "unknown"
        << "de_DE"
        << "en_US";
    QTest::newRow("system match beats product default") << three << QStringList{"en-US"} << "de_DE"
                                                        << ""
                                                        << "en_US";
}

void LocaleSelectionTest::selection() {
    QFETCH(QStringList, installed);
    QFETCH(QStringList, system);
    QFETCH(QString, productDefault);
    QFETCH(QString, requested);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(AddLocales(data, installed));
    ScriptedManager manager(data.Root(), {}, system, productDefault.toStdString());
    LocaleRecorder observer;
    manager.RegisterObserver(&observer);
    LogCapture log;
    manager.SetLocale(requested.toStdString());
    QCOMPARE(QString::fromStdString(manager.GetCurrentLocale()), expected);
    QCOMPARE(observer.told, std::vector<std::string>{expected.toStdString()});
    // Falling back, even to a locale without a directory, is silent.
    QVERIFY(log.Records().empty());
}

void LocaleSelectionTest::defaultQLocaleLanguages_data() {
    QTest::addColumn<QString>("defaultLocale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pt_PT") << "pt_PT"
                           << "pt_BR";
    QTest::newRow("zh_HK") << "zh_HK"
                           << "zh_TW";
    QTest::newRow("zh_CN") << "zh_CN"
                           << "zh_CN";
    QTest::newRow("en_US, en not chosen") << "en_US"
                                          << "en_US";
    QTest::newRow("de_DE") << "de_DE"
                           << "de_DE";
}

void LocaleSelectionTest::defaultQLocaleLanguages() {
    QFETCH(QString, defaultLocale);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(AddLocales(data, {"de_DE", "en", "pt_BR", "zh_CN", "zh_TW"}));
    DefaultLocaleGuard guard;
    QLocale::setDefault(QLocale(defaultLocale));
    LookAndFeelManager manager(data.Root().toStdString(), "title.json", {});
    QCOMPARE(manager.GetDefaultLocale(), std::string("unknown"));
    manager.SetLocale("");
    QCOMPARE(QString::fromStdString(manager.GetCurrentLocale()), expected);
}

void LocaleSelectionTest::translationFiles_data() {
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<QString>("hello");
    QTest::addColumn<QString>("cancel");

    // app: Hello, Cancel; common: Cancel; other: Hello; broken does not load.
    QTest::newRow("no filter: every file, later wins") << Strings{} << "Salut"
                                                       << "Annuler";
    QTest::newRow("app then common") << Strings{"app", "common"} << "Bonjour"
                                     << "Annuler";
    QTest::newRow("common then app") << Strings{"common", "app"} << "Bonjour"
                                     << "Annuler (app)";
    QTest::newRow("missing name skipped") << Strings{"missing", "app"} << "Bonjour"
                                          << "Annuler (app)";
    QTest::newRow("broken file skipped") << Strings{"app", "broken"} << "Bonjour"
                                         << "Annuler (app)";
    QTest::newRow("only Other") << Strings{"Other"} << "Salut"
                                << "Cancel";
    QTest::newRow("filter names are case-sensitive") << Strings{"other"} << "Hello"
                                                     << "Cancel";
}

void LocaleSelectionTest::translationFiles() {
    QFETCH(Strings, filter);
    QFETCH(QString, hello);
    QFETCH(QString, cancel);

    DataDir data;
    QVERIFY(
        data.AddQm("fr_FR", "app_fr_FR.qm", {{"Hello", "Bonjour"}, {"Cancel", "Annuler (app)"}}));
    QVERIFY(data.AddQm("fr_FR", "common_fr_FR.qm", {{"Cancel", "Annuler"}}));
    QVERIFY(data.AddQm("fr_FR", "Other_fr_FR.qm", {{"Hello", "Salut"}}));
    QVERIFY(data.AddFile("resources/locales/fr_FR/broken_fr_FR.qm", "not a translation file"));
    QVERIFY(data.AddFile("resources/locales/fr_FR/zz_readme.txt", "ignored"));
    QVERIFY(data.AddDir("resources/locales/fr_FR/dir.qm"));

    LogCapture log;
    {
        ScriptedManager manager(data.Root(), filter, {"de-DE"});
        manager.SetLocale("fr_FR");
        QCOMPARE(Tr("Hello"), hello);
        QCOMPARE(Tr("Cancel"), cancel);
    }
    // Translators go with the manager.
    QCOMPARE(Tr("Hello"), QStringLiteral("Hello"));
    QVERIFY(log.Records().empty());
}

void LocaleSelectionTest::translatorsReplacedOnChange() {
    DataDir data;
    QVERIFY(data.AddQm("fr_FR", "app_fr_FR.qm", {{"Hello", "Bonjour"}, {"Cancel", "Annuler"}}));
    QVERIFY(data.AddQm("de_DE", "app_de_DE.qm", {{"Hello", "Hallo"}}));
    ScriptedManager manager(data.Root(), {}, {"it-IT"});
    LocaleRecorder observer;
    manager.RegisterObserver(&observer);

    manager.SetLocale("fr_FR");
    QCOMPARE(Tr("Hello"), QStringLiteral("Bonjour"));
    manager.SetLocale("de_DE");
    QCOMPARE(Tr("Hello"), QStringLiteral("Hallo"));
    QCOMPARE(Tr("Cancel"), QStringLiteral("Cancel"));  // nothing of French is left

    // Nothing matches it-IT: en_US, which has no directory, untranslated but announced.
    LogCapture log;
    manager.SetLocale("it_IT");
    QCOMPARE(manager.GetCurrentLocale(), std::string("en_US"));
    QCOMPARE(Tr("Hello"), QStringLiteral("Hello"));
    QCOMPARE(observer.told, (std::vector<std::string>{"fr_FR", "de_DE", "en_US"}));
    QVERIFY(log.Records().empty());
}

void LocaleSelectionTest::sameEffectiveLocaleNotifiesOnce() {
    DataDir data;
    QVERIFY(data.AddQm("de_DE", "app_de_DE.qm", {{"Hello", "Hallo"}}));
    QVERIFY(AddLocales(data, {"en_US"}));
    ScriptedManager manager(data.Root(), {}, {"de-DE"});
    LocaleRecorder observer;
    manager.RegisterObserver(&observer);

    manager.SetLocale("de_DE");
    manager.SetLocale("de_DE");
    manager.SetLocale("");  // resolves to de_DE through the system as well
    QCOMPARE(observer.told, std::vector<std::string>{"de_DE"});
    QCOMPARE(Tr("Hello"), QStringLiteral("Hallo"));
}

void LocaleSelectionTest::emptyRequestOverridesInstalledCurrent() {
    DataDir data;
    QVERIFY(AddLocales(data, {"de_DE", "fr_FR"}));
    ScriptedManager manager(data.Root(), {}, {"fr-FR"});
    manager.SetLocale("de_DE");
    QCOMPARE(manager.GetCurrentLocale(), std::string("de_DE"));
    manager.SetLocale("");
    QCOMPARE(manager.GetCurrentLocale(), std::string("fr_FR"));
    manager.SetLocale("de_DE");
    manager.SetLocale("unknown");
    QCOMPARE(manager.GetCurrentLocale(), std::string("fr_FR"));
}

void LocaleSelectionTest::placeholdersFollowLocaleAtNextTheme() {
    DataDir data;
    QVERIFY(AddLocales(data, {"de_DE", "ja_JP"}));
    QVERIFY(data.AddTheme("light"));
    QVERIFY(data.AddThemeRcc("light", "locfonts.rcc",
                             {{"style.qss", "@face"},
                              {"fonts.json", R"({"all_platforms":{"all_languages":{"face":"Sans"},
                                             "ja_JP":{"face":"Gothic"}}})"}}));
    ScriptedManager manager(data.Root(), {}, {"de-DE"});

    // The locale goes first, so the theme is built for it.
    manager.Initialize("ja_JP", "light");
    QCOMPARE(manager.GetUnitedStylesheet(), std::string("Gothic\n\n\n\n"));
    manager.SetLocale("de_DE");
    QCOMPARE(manager.GetUnitedStylesheet(), std::string("Gothic\n\n\n\n"));
    manager.SetTheme("");
    manager.SetTheme("light");
    QCOMPARE(manager.GetUnitedStylesheet(), std::string("Sans\n\n\n\n"));
    manager.SetTheme("");
}

QUORVEL_TEST_MAIN(LocaleSelectionTest)
#include "tst_LocaleSelection.moc"
