#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using Quorvel::App::CustomizationError;
using Quorvel::App::CustomizationManager;

namespace {

const char* const kGoodFile = R"json({
    "organizationName": "Quorvel Labs",
    "applicationName": "QuorvelDemo",
    "productName": "Quorvel Demo",
    "productVersion": "2.1.4.317",
    "userAgent": {"product": "QuorvelDemo", "text": "QuorvelDemo/2.1.4.317 (Linux)"},
    "partnerName": "direct",
    "thankYouPageMode": "thankyou",
    "emailCollection": true,
    "locales": {
        "de": {"productName": "Quorvel Demo (Deutsch)", "emailCollection": false},
        "de_DE": {"productName": "Quorvel Demo (Deutschland)",
                  "userAgent": {"text": "QuorvelDemo/2.1.4.317 (Linux; de_DE)"}},
        "ru_RU": {"productName": "Кворвел Демо", "partnerName": "partner-ru",
                  "thankYouPageMode": ""}
    }
})json";

// The smallest file that is accepted; rows of the bad-file table break one thing in it.
const char* const kMinimalFile = R"({
    "organizationName": "Quorvel Labs",
    "applicationName": "QuorvelDemo",
    "productName": "Quorvel Demo",
    "productVersion": "3",
    "userAgent": {"product": "P", "text": "T"}
})";

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray Replace(const char* text, const char* from, const char* to) {
    return QByteArray(text).replace(from, to);
}

}  // namespace

class CustomizationManagerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void goodFileGivesEveryValue() {
        const QString path = m_dir.filePath(CustomizationManager::FileName);
        QVERIFY(WriteFile(path, kGoodFile));
        const auto customization = CustomizationManager::FromFile(path);
        QCOMPARE(customization->GetOrganizationName(), std::string("Quorvel Labs"));
        QCOMPARE(customization->GetApplicationName(), std::string("QuorvelDemo"));
        QCOMPARE(customization->GetProductName(), std::string("Quorvel Demo"));
        QCOMPARE(customization->GetPartnerName(), std::string("direct"));
        QCOMPARE(customization->GetThankYouPageMode(), std::string("thankyou"));
        QVERIFY(customization->IsEmailCollectionEnabled());
        const Quorvel::Core::Version version = customization->GetProductVersion();
        QCOMPARE(version.major, 2);
        QCOMPARE(version.minor, 1);
        QCOMPARE(version.patch, 4);
        QCOMPARE(version.build, 317);
        const Quorvel::App::UserAgentInfo agent = customization->GetUserAgentInfo();
        QCOMPARE(agent.product, std::string("QuorvelDemo"));
        QCOMPARE(agent.userAgent, std::string("QuorvelDemo/2.1.4.317 (Linux)"));
    }

    void optionalMembersHaveDefaults() {
        const auto customization = CustomizationManager::FromJson(kMinimalFile, "minimal.json");
        QCOMPARE(customization->GetPartnerName(), std::string());
        QCOMPARE(customization->GetThankYouPageMode(), std::string());
        QVERIFY(!customization->IsEmailCollectionEnabled());
        QCOMPARE(customization->GetProductVersion().major, 3);
        QCOMPARE(customization->GetProductVersion().build, 0);
        customization->SwitchLocale("de_DE");
        QCOMPARE(customization->GetProductName(), std::string("Quorvel Demo"));
    }

    // The product reads its data directory through ioPath, which may hold any UTF-8.
    void readsThroughIoPathWithNonAsciiFolder() {
        const QString folder = m_dir.filePath(QString::fromUtf8("Данные Ünï"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(WriteFile(folder + "/" + CustomizationManager::FileName, kGoodFile));
        const Quorvel::ioPath path =
            Quorvel::ioPath(folder.toUtf8().toStdString()) / CustomizationManager::FileName;
        QCOMPARE(CustomizationManager::FromFile(path)->GetPartnerName(), std::string("direct"));
    }

    // Each bad file must give an error that names the file and says what is wrong with it.
    void badFileNamesFileAndProblem_data() {
        QTest::addColumn<QByteArray>("content");  // "<missing>" and "<folder>" make no file
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("missing file") << QByteArray("<missing>") << QStringList{"does not exist"};
        QTest::newRow("folder") << QByteArray("<folder>") << QStringList{"folder"};
        QTest::newRow("empty file") << QByteArray(" \n") << QStringList{"the file is empty"};
        QTest::newRow("malformed on line 3")
            << QByteArray("{\n  \"organizationName\": \"X\",\n  \"applicationName\": ,\n}")
            << QStringList{"not valid JSON", "line 3", "column"};
        QTest::newRow("unterminated string")
            << QByteArray("{\"organizationName\": \"X}") << QStringList{"not valid JSON", "line 1"};
        QTest::newRow("array at top")
            << QByteArray("[1, 2]")
            << QStringList{"top level must be a JSON object", "found an array"};
        QTest::newRow("required member missing")
            << Replace(kMinimalFile, "\"organizationName\": \"Quorvel Labs\",", "")
            << QStringList{"\"organizationName\" is missing"};
        QTest::newRow("name of wrong type")
            << Replace(kMinimalFile, "\"Quorvel Demo\"", "42")
            << QStringList{"\"productName\" must be a string, found a number"};
        QTest::newRow("empty application name")
            << Replace(kMinimalFile, "\"QuorvelDemo\"", "\"\"")
            << QStringList{"\"applicationName\" must not be empty"};
        QTest::newRow("bad version") << Replace(kMinimalFile, "\"3\"", "\"1.x.3\"")
                                     << QStringList{"\"productVersion\" is wrong", "1.x.3"};
        QTest::newRow("five-part version")
            << Replace(kMinimalFile, "\"3\"", "\"1.2.3.4.5\"")
            << QStringList{"\"productVersion\" is wrong", "1.2.3.4.5"};
        QTest::newRow("version as number")
            << Replace(kMinimalFile, "\"3\"", "3")
            << QStringList{"\"productVersion\" must be a string, found a number"};
        QTest::newRow("user agent text missing") << Replace(kMinimalFile, ", \"text\": \"T\"", "")
                                                 << QStringList{"\"userAgent.text\" is missing"};
        QTest::newRow("user agent not an object")
            << Replace(kMinimalFile, "{\"product\": \"P\", \"text\": \"T\"}", "\"P/1\"")
            << QStringList{"\"userAgent\" must be an object, found a string"};
        QTest::newRow("switch as text")
            << Replace(kMinimalFile, "\"productVersion\"",
                       "\"emailCollection\": \"yes\", \"productVersion\"")
            << QStringList{"\"emailCollection\" must be true or false, found a string"};
        QTest::newRow("misspelt member") << Replace(kMinimalFile, "\"productVersion\"",
                                                    "\"partnername\": \"x\", \"productVersion\"")
                                         << QStringList{"unknown member \"partnername\""};
        QTest::newRow("locale entry not an object")
            << Replace(kMinimalFile, "\"productVersion\"",
                       "\"locales\": {\"de_DE\": [1]}, \"productVersion\"")
            << QStringList{"\"locales.de_DE\" must be an object, found an array"};
        QTest::newRow("locale overrides the version")
            << Replace(kMinimalFile, "\"productVersion\"",
                       "\"locales\": {\"de_DE\": {\"productVersion\": \"2\"}}, \"productVersion\"")
            << QStringList{"unknown member \"locales.de_DE.productVersion\""};
        QTest::newRow("locale user agent of wrong type")
            << Replace(kMinimalFile, "\"productVersion\"",
                       "\"locales\": {\"fr\": {\"userAgent\": {\"text\": 1}}}, \"productVersion\"")
            << QStringList{"\"locales.fr.userAgent.text\" must be a string, found a number"};
        QTest::newRow("locales not an object")
            << Replace(kMinimalFile, "\"productVersion\"", "\"locales\": null, \"productVersion\"")
            << QStringList{"\"locales\" must be an object, found null"};
    }
    void badFileNamesFileAndProblem() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(CustomizationManager::FileName);
        if (content == "<folder>") {
            QVERIFY(QDir(dir.path()).mkdir(CustomizationManager::FileName));
        } else if (content != "<missing>") {
            QVERIFY(WriteFile(path, content));
        }

        try {
            CustomizationManager::FromFile(path);
            QFAIL("no CustomizationError was thrown");
        } catch (const CustomizationError& error) {
            const QString message = QString::fromUtf8(error.what());
            QVERIFY2(message.startsWith(QDir::toNativeSeparators(path) + ": "),
                     qPrintable(message));
            QCOMPARE(QString::fromStdString(error.File()), QDir::toNativeSeparators(path));
            for (const QString& part : expected) {
                QVERIFY2(message.contains(part), qPrintable(message));
            }
        }
    }

    void localeOverridesBaseValues_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("productName");
        QTest::addColumn<QString>("partnerName");
        QTest::addColumn<QString>("userAgent");
        QTest::addColumn<QString>("pageMode");
        QTest::addColumn<bool>("emailCollection");
        const QString baseAgent = "QuorvelDemo/2.1.4.317 (Linux)";
        QTest::newRow("exact entry wins over language") << "de_DE"
                                                        << "Quorvel Demo (Deutschland)"
                                                        << "direct"
                                                        << "QuorvelDemo/2.1.4.317 (Linux; de_DE)"
                                                        << "thankyou" << true;
        QTest::newRow("language entry for another country")
            << "de_AT"
            << "Quorvel Demo (Deutsch)"
            << "direct" << baseAgent << "thankyou" << false;
        QTest::newRow("language alone") << "de"
                                        << "Quorvel Demo (Deutsch)"
                                        << "direct" << baseAgent << "thankyou" << false;
        QTest::newRow("non-Latin override and empty mode")
            << "ru_RU" << QString::fromUtf8("Кворвел Демо") << "partner-ru" << baseAgent << ""
            << true;
        QTest::newRow("locale without entry") << "fr_FR"
                                              << "Quorvel Demo"
                                              << "direct" << baseAgent << "thankyou" << true;
        QTest::newRow("empty locale") << ""
                                      << "Quorvel Demo"
                                      << "direct" << baseAgent << "thankyou" << true;
    }
    void localeOverridesBaseValues() {
        QFETCH(QString, locale);
        QFETCH(QString, productName);
        QFETCH(QString, partnerName);
        QFETCH(QString, userAgent);
        QFETCH(QString, pageMode);
        QFETCH(bool, emailCollection);
        const auto customization = CustomizationManager::FromJson(kGoodFile, "good.json");
        // Start from another locale, so that nothing of it may stick.
        customization->SwitchLocale("de_DE");
        customization->SwitchLocale("ru_RU");
        customization->SwitchLocale(locale.toStdString());
        QCOMPARE(QString::fromStdString(customization->GetLocale()), locale);
        QCOMPARE(QString::fromStdString(customization->GetProductName()), productName);
        QCOMPARE(QString::fromStdString(customization->GetPartnerName()), partnerName);
        QCOMPARE(QString::fromStdString(customization->GetUserAgentInfo().userAgent), userAgent);
        QCOMPARE(customization->GetUserAgentInfo().product, std::string("QuorvelDemo"));
        QCOMPARE(QString::fromStdString(customization->GetThankYouPageMode()), pageMode);
        QCOMPARE(customization->IsEmailCollectionEnabled(), emailCollection);
        QCOMPARE(customization->GetOrganizationName(), std::string("Quorvel Labs"));
        QCOMPARE(customization->GetProductVersion().build, 317);
    }
};

QUORVEL_TEST_MAIN(CustomizationManagerTest)
#include "tst_CustomizationManager.moc"
