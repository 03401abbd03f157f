#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QLocale>

using namespace LookAndFeelTestData;
using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelManager;
using Quorvel::TestSupport::LogCapture;

namespace {

// A system that prefers the given languages, and a product that may prefer a locale.
class ScriptedManager : public LookAndFeelManager {
public:
    ScriptedManager(const DataDir& data, QStringList system, std::string defaultLocale = "unknown",
                    const Strings& filter = {})
        : LookAndFeelManager(data.Root().toStdString(), "title.json", filter),
          m_system(std::move(system)),
          m_defaultLocale(std::move(defaultLocale)) {}
    std::string GetDefaultLocale() const override { return m_defaultLocale; }

protected:
    QStringList GetSystemLanguages() const override { return m_system; }

private:
    QStringList m_system;
    std::string m_defaultLocale;
};

struct LocaleRecorder : ILookAndFeelObserver {
    void OnLocaleChanged(const std::string& locale) override { told.push_back(locale); }
    void OnThemeChanged(const std::string&) override {}
    std::vector<std::string> told;
};

}  // namespace

class LocaleSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UnregisterCreatedResources(); }
    void selection_data();
    void selection();
    void defaultQLocaleLanguages_data();
    void defaultQLocaleLanguages();
    void translationFiles_data();
    void translationFiles();
};

void LocaleSelectionTest::selection_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<QString>("productDefault");
    QTest::addColumn<QString>("current");  // set before, if any
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* name, const QStringList& installed, const QStringList& system,
                  const QString& requested, const QString& expected,
                  const QString& productDefault = "unknown", const QString& current = {}) {
        QTest::newRow(name) << installed << system << productDefault << current << requested
                            << expected;
    };
    const QStringList three{"de_DE", "en_US", "pt_BR"};
    row("installed request kept", three, {"pt-PT"}, "de_DE", "de_DE");
    row("first system candidate with a match wins", three, {"fr-FR", "pt-PT", "de-DE"}, "",
        "pt_BR");
    row("request not installed takes the system", three, {"de-DE"}, "fr_FR", "de_DE");
    row("empty request overrides an installed current", {"de_DE", "fr_FR"}, {"fr-FR"}, "", "fr_FR",
        "unknown", "de_DE");
    row("unknown is never taken as installed", {"de_DE", "fr_FR", "unknown"}, {"fr-FR"}, "unknown",
        "fr_FR", "unknown", "de_DE");
    row("Hong Kong Chinese is traditional", {"en_US", "zh_CN", "zh_TW"}, {"zh-HK"}, "", "zh_TW");
    row("mainland Chinese is simplified", {"en_US", "zh_CN", "zh_TW"}, {"zh-CN"}, "", "zh_CN");
    // The candidate must be a prefix of the installed name, not the other way round.
    row("en is no en_US, en_US_x is", {"en", "en_US_x"}, {"en-US"}, "", "en_US_x");
    row("no match: product default, even if not installed", three, {"fr-FR"}, "", "it_IT", "it_IT");
    row("no match, empty product default", {"de_DE"}, {"fr-FR"}, "", "en_US", "");
    row("no match, nothing installed", {}, {"de-DE"}, "de_DE", "en_US");
    row("system match beats product default", three, {"en-US"}, "", "en_US", "de_DE");
}

void LocaleSelectionTest::selection() {
    QFETCH(QStringList, installed);
    QFETCH(QStringList, system);
    QFETCH(QString, productDefault);
    QFETCH(QString, current);
    QFETCH(QString, requested);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(data.AddLocales(installed));
    ScriptedManager manager(data, system, productDefault.toStdString());
    if (!current.isEmpty()) {
        manager.SetLocale(current.toStdString());
        QCOMPARE(manager.GetCurrentLocale(), current.toStdString());
    }
    LocaleRecorder observer;
    manager.RegisterObserver(&observer);
    LogCapture log;
    manager.SetLocale(requested.toStdString());
    manager.SetLocale(requested.toStdString());  // the same effective locale again: not told
    QCOMPARE(QString::fromStdString(manager.GetCurrentLocale()), expected);
    QCOMPARE(observer.told, std::vector<std::string>{expected.toStdString()});
    QVERIFY(log.Records().empty());  // falling back, even to a locale without a directory
}

// Without an override, the system's languages are those of the default QLocale.
void LocaleSelectionTest::defaultQLocaleLanguages_data() {
    QTest::addColumn<QString>("defaultLocale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de_DE") << "de_DE" << QString("de_DE");
    QTest::newRow("en_US: en does not match, fallback") << "en_US" << QString("en_US");
}

void LocaleSelectionTest::defaultQLocaleLanguages() {
    QFETCH(QString, defaultLocale);
    QFETCH(QString, expected);

    DataDir data;
    QVERIFY(data.AddLocales({"de_DE", "en", "pt_BR"}));
    const QLocale saved;
    QLocale::setDefault(QLocale(defaultLocale));
    LookAndFeelManager manager(data.Root().toStdString(), "title.json", {});
    manager.SetLocale("");
    QLocale::setDefault(saved);
    QCOMPARE(QString::fromStdString(manager.GetCurrentLocale()), expected);
}

void LocaleSelectionTest::translationFiles_data() {
    QTest::addColumn<Strings>("filter");
    QTest::addColumn<QString>("hello");
    QTest::addColumn<QString>("cancel");

    // app: Hello, Cancel; common: Cancel; Other: Hello; broken does not load (one WARNING).
    // A later file wins.
    QTest::newRow("no filter: every file, ignoring case")
        << Strings{} << "Salut" << QString("Annuler");
    QTest::newRow("app then common") << Strings{"app", "common"} << "Bonjour" << QString("Annuler");
    QTest::newRow("filter order; missing, broken skipped")
        << Strings{"common", "missing", "broken", "app"} << "Bonjour" << QString("Annuler (app)");
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
    QVERIFY(WriteFile(data.Path("resources/locales/fr_FR/broken_fr_FR.qm"), "not a translation"));
    QVERIFY(WriteFile(data.Path("resources/locales/fr_FR/zz_readme.txt"), "ignored"));
    QVERIFY(data.AddDir("resources/locales/fr_FR/dir.qm"));
    QVERIFY(data.AddQm("de_DE", "app_de_DE.qm", {{"Hello", "Hallo"}}));

    LogCapture log;
    {
        ScriptedManager manager(data, {"it-IT"}, "unknown", filter);
        manager.SetLocale("fr_FR");
        QCOMPARE(Tr("Hello"), hello);
        QCOMPARE(Tr("Cancel"), cancel);
        // Every change replaces all translators.
        manager.SetLocale("de_DE");
        QCOMPARE(Tr("Hello"), QStringLiteral("Hallo"));
        QCOMPARE(Tr("Cancel"), QStringLiteral("Cancel"));
        manager.SetLocale("");  // en_US, without a directory
        QCOMPARE(Tr("Hello"), QStringLiteral("Hello"));
        manager.SetLocale("fr_FR");
    }
    QCOMPARE(Tr("Hello"), QStringLiteral("Hello"));  // translators go with the manager
    // The file that does not load is named once, though fr_FR is chosen twice.
    const bool brokenUsed =
        filter.empty() || std::find(filter.begin(), filter.end(), "broken") != filter.end();
    QCOMPARE(int(log.Records().size()), int(brokenUsed));
    QCOMPARE(log.Count("broken_fr_FR.qm"), int(brokenUsed));
}

QUORVEL_TEST_MAIN(LocaleSelectionTest)
#include "tst_LocaleSelection.moc"
