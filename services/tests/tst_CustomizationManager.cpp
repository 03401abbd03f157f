#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <atomic>
#include <thread>

using Quorvel::App::CustomizationError;
using Quorvel::App::CustomizationManager;
using Quorvel::TestSupport::WriteFile;

namespace {

const char* const kGoodFile = R"json({
    "organizationName": "Quorvel Labs", "applicationName": "QuorvelDemo",
    "productName": "Quorvel Demo", "productVersion": "2.1.4.317", "partnerName": "direct",
    "userAgent": {"product": "QuorvelDemo", "text": "QuorvelDemo/2.1.4.317 (Linux)"},
    "thankYouPageMode": "thankyou", "emailCollection": true, "locales": {
        "de": {"productName": "Quorvel Demo (Deutsch)", "emailCollection": false},
        "de_DE": {"productName": "Quorvel Demo (Deutschland)",
                  "userAgent": {"text": "QuorvelDemo/2.1.4.317 (Linux; de_DE)"}},
        "ru_RU": {"productName": "Кворвел Демо", "partnerName": "partner-ru", "thankYouPageMode": ""}}
})json";

// The smallest file that is accepted; rows of the bad-file table break one thing in it.
const char* const kMinimalFile = R"({
    "organizationName": "Quorvel Labs", "applicationName": "QuorvelDemo",
    "productName": "Quorvel Demo", "productVersion": "3", "userAgent": {"product": "P", "text": "T"}
})";

QByteArray Replace(const char* from, const char* to) {
    return QByteArray(kMinimalFile).replace(from, to);
}

QByteArray WithMember(const char* member) {
    return Replace("\"productVersion\"", (member + QByteArray(", \"productVersion\"")).data());
}

// Every value the customization gives, in the order of the interface, joined by "|".
QString Describe(const CustomizationManager& c) {
    const auto agent = c.GetUserAgentInfo();
    std::string text = c.GetOrganizationName();
    for (const std::string& value :
         {c.GetApplicationName(), c.GetProductName(), ToString(c.GetProductVersion()),
          agent.product, agent.userAgent, c.GetPartnerName(), c.GetThankYouPageMode(),
          std::string(c.IsEmailCollectionEnabled() ? "mail" : "no mail")}) {
        text += "|" + value;
    }
    return QString::fromStdString(text);
}

}  // namespace

class CustomizationManagerTest : public QObject {
    Q_OBJECT
private slots:
    // Read from a UTF-8 folder through ioPath; the locale's entry, then its language's, then
    // the base values. Switching starts from other locales, so that nothing of them sticks.
    void localeOverridesBaseValues_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* locale, const char* product, const char* rest,
                            const char* agent = "QuorvelDemo/2.1.4.317 (Linux)") {
            QTest::newRow(locale) << QString(locale)
                                  << QString(
                                         "Quorvel Labs|QuorvelDemo|%1|2.1.4.317|QuorvelDemo|%2|%3")
                                         .arg(QString::fromUtf8(product), agent, rest);
        };
        row("en_US", "Quorvel Demo", "direct|thankyou|mail");
        row("de_DE", "Quorvel Demo (Deutschland)", "direct|thankyou|mail",
            "QuorvelDemo/2.1.4.317 (Linux; de_DE)");  // the exact entry wins over the language
        row("de_AT", "Quorvel Demo (Deutsch)", "direct|thankyou|no mail");  // the language's
        row("ru_RU", "Кворвел Демо", "partner-ru||mail");
    }
    void localeOverridesBaseValues() {
        QFETCH(QString, locale);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QString::fromUtf8("Данные Ünï"));
        QVERIFY(WriteFile(folder + "/" + CustomizationManager::FileName, kGoodFile));
        const auto customization = CustomizationManager::FromFile(
            Quorvel::ioPath(folder.toUtf8().toStdString()) / CustomizationManager::FileName);
        customization->SwitchLocale("de_DE");
        customization->SwitchLocale("ru_RU");
        customization->SwitchLocale(locale.toStdString());
        QCOMPARE(QString::fromStdString(customization->GetLocale()), locale);
        QTEST(Describe(*customization), "expected");
    }

    // Optional members have defaults. A window shows these texts: one far too long is cut,
    // with one WARNING naming it.
    void defaultsAndLongTexts() {
        Quorvel::TestSupport::LogCapture log;
        const auto customization = CustomizationManager::FromJson(
            Replace("\"Quorvel Demo\"", "\"" + QByteArray(300000, 'Q') + "\""), "long.json");
        QCOMPARE(Describe(*customization),
                 "Quorvel Labs|QuorvelDemo|" + QString(1024, 'Q') + "|3.0.0.0|P|T|||no mail");
        QCOMPARE(log.Count("long.json: the member \"productName\""), 1);
        QCOMPARE(int(log.Records().size()), 1);
    }

    // Each bad file must give an error that names the file and says what is wrong with it.
    void badFileNamesFileAndProblem_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty file") << QByteArray(" \n") << "empty";
        QTest::newRow("malformed") << QByteArray("{\n \"a\": ,\n}") << "line 2, column";
        QTest::newRow("array at top") << QByteArray("[1, 2]") << "must be a JSON object";
        QTest::newRow("required member missing")
            << Replace("\"organizationName\": \"Quorvel Labs\",", "") << "\"organizationName\"";
        QTest::newRow("empty name") << Replace("\"QuorvelDemo\"", "\"\"") << "\"applicationName\"";
        QTest::newRow("bad version") << Replace("\"3\"", "\"1.x.3\"") << "1.x.3";
        QTest::newRow("switch as text")
            << WithMember("\"emailCollection\": \"yes\"") << "\"emailCollection\" must be";
        QTest::newRow("misspelt member")
            << WithMember("\"partnername\": \"x\"") << "\"partnername\"";
        QTest::newRow("locale overrides the version")
            << WithMember("\"locales\": {\"de_DE\": {\"productVersion\": \"2\"}}")
            << "\"locales.de_DE.productVersion\"";
    }
    void badFileNamesFileAndProblem() {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(CustomizationManager::FileName);
        QVERIFY(WriteFile(path, content));
        try {
            CustomizationManager::FromFile(path);
            QFAIL("no CustomizationError was thrown");
        } catch (const CustomizationError& error) {
            const QString message = QString::fromUtf8(error.what());
            QCOMPARE(QString::fromStdString(error.File()), QDir::toNativeSeparators(path));
            QVERIFY(message.startsWith(QDir::toNativeSeparators(path) + ": "));
            QVERIFY2(message.contains(problem), qPrintable(message));
        }
    }

    // The getters may be called from any thread, also while another one switches the locale.
    void readWhileAnotherThreadSwitches() {
        const auto customization = CustomizationManager::FromJson(kGoodFile, "good.json");
        customization->SwitchLocale("de_DE");
        const QStringList names{"Quorvel Demo (Deutschland)", QString::fromUtf8("Кворвел Демо")};
        std::atomic<bool> done{false};
        std::thread switcher([&] {
            for (int i = 0; i < 500; ++i) {
                customization->SwitchLocale(i % 2 ? "de_DE" : "ru_RU");
            }
            done = true;
        });
        int wrong = 0;
        while (!done) {
            wrong += !names.contains(QString::fromStdString(customization->GetProductName()));
        }
        switcher.join();
        QCOMPARE(wrong, 0);
    }
};

QUORVEL_TEST_MAIN(CustomizationManagerTest)
#include "tst_CustomizationManager.moc"
