#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

using namespace LookAndFeelTestData;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;

namespace {

// A system that prefers the given languages, and a product that may prefer a locale; told
// locales are recorded.
struct Manager : LookAndFeelManager, Quorvel::App::ILookAndFeelObserver {
    Manager(const DataDir& data, QStringList system, std::string productDefault = "unknown",
            const Strings& filter = {})
        : LookAndFeelManager(data.Root().toStdString(), "title.json", filter),
          system(std::move(system)),
          productDefault(std::move(productDefault)) {
        RegisterObserver(this);
    }
    std::string GetDefaultLocale() const override { return productDefault; }
    QStringList GetSystemLanguages() const override { return system; }
    void OnLocaleChanged(const std::string& locale) override { told += locale + ' '; }
    void OnThemeChanged(const std::string&) override {}
    QStringList system;
    std::string productDefault;
    std::string told;
};

}  // namespace

class LocaleSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UnregisterCreatedResources(); }

    // Installed de_DE en_US pt_BR zh_CN zh_TW, the current locale fr_FR; each row asks
    // twice (told once) and falls back without a word.
    void selection_data() {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QString>("productDefault");
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& system, const char* requested,
                            const char* expected, const char* productDefault = "unknown") {
            QTest::newRow(name) << system << productDefault << requested << expected;
        };
        row("installed request kept", {"pt-PT"}, "de_DE", "de_DE");
        row("empty: first system candidate with a match", {"it-IT", "pt-PT", "de-DE"}, "", "pt_BR");
        row("unknown is never installed", {"de-DE"}, "unknown", "de_DE");
        row("Hong Kong Chinese is traditional", {"zh-HK"}, "", "zh_TW");
        row("mainland Chinese is simplified", {"zh-CN"}, "", "zh_CN");
        row("no match: product default, even if not installed", {"it-IT"}, "", "it_IT", "it_IT");
        row("no match, empty product default", {"it-IT"}, "", "en_US", "");
    }
    void selection() {
        QFETCH(QStringList, system);
        QFETCH(QString, productDefault);
        QFETCH(QString, requested);
        QFETCH(QString, expected);
        DataDir data;
        QVERIFY(data.AddLocales({"de_DE", "en_US", "pt_BR", "zh_CN", "zh_TW", "fr_FR", "unknown"}));
        Manager manager(data, {"fr-FR"}, productDefault.toStdString());
        manager.SetLocale("fr_FR");
        manager.system = system;
        manager.told.clear();
        LogCapture log;
        manager.SetLocale(requested.toStdString());
        manager.SetLocale(requested.toStdString());
        QCOMPARE(QString::fromStdString(manager.told), expected + ' ');
        QVERIFY(log.Records().empty());
    }

    // Without an override, the system's languages are those of the default QLocale.
    void defaultQLocaleLanguages() {
        DataDir data;
        QVERIFY(data.AddLocales({"de_DE", "en"}));
        const QLocale saved;
        QLocale::setDefault(QLocale("de_DE"));
        LookAndFeelManager manager(data.Root().toStdString(), "title.json", {});
        manager.SetLocale("");
        QLocale::setDefault(saved);
        QCOMPARE(manager.GetCurrentLocale(), std::string("de_DE"));
    }

    // app: Hello, Cancel; common: Cancel; Other: Hello; broken does not load (named once). A
    // later file wins; every change replaces all translators; they go with the manager.
    void translationFiles_data() {
        QTest::addColumn<Strings>("filter");
        QTest::addColumn<QString>("texts");
        QTest::newRow("no filter: every file, ignoring case") << Strings{} << "Salut Annuler";
        QTest::newRow("filter order; missing, broken skipped")
            << Strings{"common", "missing", "broken", "app"} << "Bonjour Annuler (app)";
    }
    void translationFiles() {
        QFETCH(Strings, filter);
        DataDir data;
        QVERIFY(data.AddQm("fr_FR", "app_fr_FR.qm",
                           {{"Hello", "Bonjour"}, {"Cancel", "Annuler (app)"}}));
        QVERIFY(data.AddQm("fr_FR", "common_fr_FR.qm", {{"Cancel", "Annuler"}}));
        QVERIFY(data.AddQm("fr_FR", "Other_fr_FR.qm", {{"Hello", "Salut"}}));
        QVERIFY(
            WriteFile(data.Path("resources/locales/fr_FR/broken_fr_FR.qm"), "not a translation"));
        QVERIFY(data.AddDir("resources/locales/fr_FR/dir.qm"));
        QVERIFY(data.AddQm("de_DE", "app_de_DE.qm", {{"Hello", "Hallo"}}));
        LogCapture log;
        {
            Manager manager(data, {"it-IT"}, "unknown", filter);
            manager.SetLocale("fr_FR");
            QTEST(Tr("Hello") + ' ' + Tr("Cancel"), "texts");
            manager.SetLocale("de_DE");
            QCOMPARE(Tr("Hello") + ' ' + Tr("Cancel"), QString("Hallo Cancel"));
            manager.SetLocale("fr_FR");
        }
        QCOMPARE(Tr("Hello"), QString("Hello"));
        QCOMPARE(int(log.Records().size()), 1);
        QCOMPARE(log.Count("broken_fr_FR.qm"), 1);
    }
};

QUORVEL_TEST_MAIN(LocaleSelectionTest)
#include "tst_LocaleSelection.moc"
