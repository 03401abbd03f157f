#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <climits>
#include <functional>

using Quorvel::App::ISettingsManager;
using Quorvel::App::SettingsStore;

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

void Write(ISettingsManager& store, const QString& type, const QString& key, const QString& value) {
    if (type == "bool") {
        store.SetBool(Utf8(key), value == "true");
    } else if (type == "int") {
        store.SetInt(Utf8(key), value.toInt());
    } else {
        store.SetString(Utf8(key), Utf8(value));
    }
}

// Reads one value and renders it as text, the way settings_probe prints it, so that a read
// here and a read in another process compare alike.
QString Read(const ISettingsManager& store, const QString& type, const QString& key,
             const QString& defaultText) {
    const std::string k = Utf8(key);
    if (type == "bool") {
        return store.GetBool(k, defaultText == "true") ? "true" : "false";
    }
    if (type == "int") {
        return QString::number(store.GetInt(k, defaultText.toInt()));
    }
    if (type == "uint") {
        return QString::number(store.GetUInt(k, defaultText.toUInt()));
    }
    if (type == "contains") {
        return store.Contains(k) ? "true" : "false";
    }
    return QString::fromStdString(store.GetString(k, Utf8(defaultText)));
}

struct ProbeResult {
    bool ran = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

ProbeResult Probe(const QStringList& arguments) {
    ProbeResult result;
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/settings_probe", arguments);
    // Generous: only a safety net against a hung helper.
    result.ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    if (result.output.endsWith('\n')) {
        result.output.chop(1);
    }
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString NewFile() { return m_dir.filePath(QString("store%1.ini").arg(++m_files)); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void missingKeyGivesDefault_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("defaultText");
        QTest::newRow("bool true") << "bool"
                                   << "true";
        QTest::newRow("bool false") << "bool"
                                    << "false";
        QTest::newRow("int min") << "int" << QString::number(INT_MIN);
        QTest::newRow("int max") << "int" << QString::number(INT_MAX);
        QTest::newRow("uint zero") << "uint"
                                   << "0";
        QTest::newRow("uint max") << "uint"
                                  << "4294967295";
        QTest::newRow("empty string") << "string"
                                      << "";
        QTest::newRow("string") << "string"
                                << "fallback";
    }
    void missingKeyGivesDefault() {
        QFETCH(QString, type);
        QFETCH(QString, defaultText);
        SettingsStore store("test", NewFile());
        store.SetString("Other/key", "present");
        QCOMPARE(Read(store, type, "key", defaultText), defaultText);
        QCOMPARE(Read(store, type, "Other/missing", defaultText), defaultText);
        QVERIFY(!store.Contains("key"));
    }

    // Written through the interface, then read back in the same store, in a second store over
    // the same file and in another process, which sees only what reached the file.
    void writtenValueReadsBack_data() {
        QTest::addColumn<QString>("writeType");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readType");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bool true") << "bool"
                                   << "flag"
                                   << "true"
                                   << "bool"
                                   << "false"
                                   << "true";
        QTest::newRow("bool false") << "bool"
                                    << "flag"
                                    << "false"
                                    << "bool"
                                    << "true"
                                    << "false";
        QTest::newRow("bool as string") << "bool"
                                        << "flag"
                                        << "true"
                                        << "string"
                                        << "x"
                                        << "true";
        QTest::newRow("bool as int gives default") << "bool"
                                                   << "flag"
                                                   << "true"
                                                   << "int"
                                                   << "7"
                                                   << "7";
        QTest::newRow("negative int") << "int"
                                      << "count"
                                      << "-42"
                                      << "int"
                                      << "0"
                                      << "-42";
        QTest::newRow("int as uint") << "int"
                                     << "count"
                                     << "42"
                                     << "uint"
                                     << "0"
                                     << "42";
        QTest::newRow("negative int as uint gives default") << "int"
                                                            << "count"
                                                            << "-1"
                                                            << "uint"
                                                            << "9"
                                                            << "9";
        QTest::newRow("non-zero int as bool") << "int"
                                              << "count"
                                              << "2"
                                              << "bool"
                                              << "false"
                                              << "true";
        QTest::newRow("zero int as bool") << "int"
                                          << "count"
                                          << "0"
                                          << "bool"
                                          << "true"
                                          << "false";
        QTest::newRow("int as string") << "int"
                                       << "count"
                                       << "42"
                                       << "string"
                                       << ""
                                       << "42";
        QTest::newRow("numeric text as int") << "string"
                                             << "n"
                                             << "123"
                                             << "int"
                                             << "0"
                                             << "123";
        QTest::newRow("numeric text as uint max") << "string"
                                                  << "n"
                                                  << "4294967295"
                                                  << "uint"
                                                  << "0"
                                                  << "4294967295";
        QTest::newRow("text above uint range") << "string"
                                               << "n"
                                               << "4294967296"
                                               << "uint"
                                               << "5"
                                               << "5";
        QTest::newRow("text above int range") << "string"
                                              << "n"
                                              << "2147483648"
                                              << "int"
                                              << "5"
                                              << "5";
        QTest::newRow("padded number") << "string"
                                       << "n"
                                       << " 17 "
                                       << "int"
                                       << "0"
                                       << "17";
        QTest::newRow("word as bool, default true") << "string"
                                                    << "w"
                                                    << "maybe"
                                                    << "bool"
                                                    << "true"
                                                    << "true";
        QTest::newRow("word as bool, default false") << "string"
                                                     << "w"
                                                     << "maybe"
                                                     << "bool"
                                                     << "false"
                                                     << "false";
        QTest::newRow("TRUE as bool") << "string"
                                      << "w"
                                      << "TRUE"
                                      << "bool"
                                      << "false"
                                      << "true";
        QTest::newRow("text 0 as bool") << "string"
                                        << "w"
                                        << "0"
                                        << "bool"
                                        << "true"
                                        << "false";
        QTest::newRow("empty text is a value") << "string"
                                               << "w"
                                               << ""
                                               << "string"
                                               << "default"
                                               << "";
        QTest::newRow("empty text is contained") << "string"
                                                 << "w"
                                                 << ""
                                                 << "contains"
                                                 << ""
                                                 << "true";
        QTest::newRow("non-Latin text")
            << "string"
            << "w" << QString::fromUtf8("Привет, 世界 🙂") << "string"
            << "" << QString::fromUtf8("Привет, 世界 🙂");
        QTest::newRow("text like a variant") << "string"
                                             << "w"
                                             << "@Variant(abc)"
                                             << "string"
                                             << ""
                                             << "@Variant(abc)";
        QTest::newRow("comma is no list") << "string"
                                          << "w"
                                          << "a, b"
                                          << "string"
                                          << ""
                                          << "a, b";
        QTest::newRow("key with dot and space") << "string"
                                                << "Partner Name.OVERRIDE"
                                                << "x"
                                                << "string"
                                                << ""
                                                << "x";
        QTest::newRow("key in nested group") << "int"
                                             << "Group/Sub/key"
                                             << "5"
                                             << "int"
                                             << "0"
                                             << "5";
    }
    void writtenValueReadsBack() {
        QFETCH(QString, writeType);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, readType);
        QFETCH(QString, defaultText);
        QFETCH(QString, expected);
        const QString file = NewFile();
        {
            SettingsStore store("test", file);
            Write(store, writeType, key, value);
            QCOMPARE(Read(store, readType, key, defaultText), expected);
            QVERIFY(store.IsPersistent());
        }
        SettingsStore again("test", file);
        QCOMPARE(Read(again, readType, key, defaultText), expected);

        const ProbeResult probe = Probe({file, "get", readType, key, defaultText});
        QVERIFY2(probe.ran && probe.exitCode == 0, qPrintable(probe.errors));
        QCOMPARE(probe.output, expected);
    }

    // A file written by hand (or by the installer) holds text only.
    void handWrittenValuesConvert_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("readType");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("expected");
        QTest::newRow("uint") << "seconds"
                              << "uint"
                              << "0"
                              << "1700000000";
        QTest::newRow("uint max") << "big"
                                  << "uint"
                                  << "0"
                                  << "4294967295";
        QTest::newRow("uint above range") << "tooBig"
                                          << "uint"
                                          << "9"
                                          << "9";
        QTest::newRow("uint negative") << "negative"
                                       << "uint"
                                       << "9"
                                       << "9";
        QTest::newRow("int negative") << "negative"
                                      << "int"
                                      << "0"
                                      << "-7";
        QTest::newRow("int above range") << "big"
                                         << "int"
                                         << "3"
                                         << "3";
        QTest::newRow("int from word") << "word"
                                       << "int"
                                       << "3"
                                       << "3";
        QTest::newRow("bool true") << "flagTrue"
                                   << "bool"
                                   << "false"
                                   << "true";
        QTest::newRow("bool FALSE") << "flagFalse"
                                    << "bool"
                                    << "true"
                                    << "false";
        QTest::newRow("bool 1") << "flagOne"
                                << "bool"
                                << "false"
                                << "true";
        QTest::newRow("bool 0") << "flagZero"
                                << "bool"
                                << "true"
                                << "false";
        QTest::newRow("bool from word") << "word"
                                        << "bool"
                                        << "true"
                                        << "true";
        QTest::newRow("string of number") << "seconds"
                                          << "string"
                                          << ""
                                          << "1700000000";
        QTest::newRow("list as text") << "list"
                                      << "string"
                                      << ""
                                      << "a, b";
        QTest::newRow("group has no value") << "Group"
                                            << "string"
                                            << "none"
                                            << "none";
        QTest::newRow("group is not contained") << "Group"
                                                << "contains"
                                                << ""
                                                << "false";
        QTest::newRow("value in group") << "Group/inner"
                                        << "int"
                                        << "0"
                                        << "5";
        QTest::newRow("UTF-8 text") << "Group/name"
                                    << "string"
                                    << "" << QString::fromUtf8("Ünïcödé 世界 🙂");
    }
    void handWrittenValuesConvert() {
        QFETCH(QString, key);
        QFETCH(QString, readType);
        QFETCH(QString, defaultText);
        QFETCH(QString, expected);
        const QString file = NewFile();
        QFile ini(file);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(
            "[General]\n"
            "seconds=1700000000\n"
            "big=4294967295\n"
            "tooBig=4294967296\n"
            "negative=-7\n"
            "word=hello\n"
            "flagTrue=true\n"
            "flagFalse=FALSE\n"
            "flagOne=1\n"
            "flagZero=0\n"
            "list=a, b\n"
            "\n"
            "[Group]\n"
            "inner=5\n"
            "name=\xc3\x9cn\xc3\xaf\x63\xc3\xb6\x64\xc3\xa9 \xe4\xb8\x96\xe7\x95\x8c "
            "\xf0\x9f\x99\x82\n");
        ini.close();
        SettingsStore store("test", file);
        QCOMPARE(Read(store, readType, key, defaultText), expected);
    }

    // Other tools (and people) read the file too: text in it is plain UTF-8, not escapes.
    void fileHoldsReadableUtf8() {
        const QString file = NewFile();
        const QString text = QString::fromUtf8("Привет Ünïcödé");
        SettingsStore store("test", file);
        store.SetString("Greeting", Utf8(text));
        QFile ini(file);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY2(ini.readAll().contains("Greeting=" + text.toUtf8()), qPrintable(file));
    }

    void removeTakesKeyOrWholeGroup_data() {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("gone");
        QTest::newRow("group") << "Window"
                               << QStringList{"Window/Geometry", "Window/State", "Window/Sub/Deep"};
        QTest::newRow("inner group") << "Window/Sub" << QStringList{"Window/Sub/Deep"};
        QTest::newRow("key in group") << "Window/Geometry" << QStringList{"Window/Geometry"};
        QTest::newRow("top-level key") << "Windows" << QStringList{"Windows"};
        QTest::newRow("missing key") << "Missing" << QStringList{};
        QTest::newRow("empty key removes nothing") << "" << QStringList{};
    }
    void removeTakesKeyOrWholeGroup() {
        QFETCH(QString, removed);
        QFETCH(QStringList, gone);
        const QStringList all{"Window/Geometry", "Window/State", "Window/Sub/Deep",
                              "Windows",         "WindowA",      "Other"};
        const QString file = NewFile();
        {
            SettingsStore store("test", file);
            for (const QString& key : all) {
                store.SetString(Utf8(key), "v");
            }
            store.Remove(Utf8(removed));
            for (const QString& key : all) {
                QVERIFY2(store.Contains(Utf8(key)) == !gone.contains(key), qPrintable(key));
            }
        }
        for (const QString& key : all) {
            const ProbeResult probe = Probe({file, "get", "contains", key, ""});
            QVERIFY2(probe.ran && probe.exitCode == 0, qPrintable(probe.errors));
            QCOMPARE(probe.output, gone.contains(key) ? QString("false") : QString("true"));
        }
    }

    void anotherProcessSeesWritesAndIsSeen() {
        const QString file = NewFile();
        SettingsStore store("test", file);
        store.SetInt("DateOfFirstStart", 1700000000);
        store.SetString("PartnerName", "direct");

        ProbeResult probe = Probe({file, "get", "uint", "DateOfFirstStart", "0"});
        QVERIFY2(probe.ran && probe.exitCode == 0, qPrintable(probe.errors));
        QCOMPARE(probe.output, QString("1700000000"));

        probe = Probe({file, "set", "string", "PartnerName", "partner-from-installer"});
        QVERIFY2(probe.ran && probe.exitCode == 0, qPrintable(probe.errors));
        probe = Probe({file, "remove", "DateOfFirstStart"});
        QVERIFY2(probe.ran && probe.exitCode == 0, qPrintable(probe.errors));

        SettingsStore later("test", file);
        QCOMPARE(later.GetString("PartnerName", ""), std::string("partner-from-installer"));
        QVERIFY(!later.Contains("DateOfFirstStart"));
    }

    void unwritableStoreLogsOnceAndKeepsValues_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("errors");
        QTest::newRow("parent is a regular file") << "parent-file" << 1;
        QTest::newRow("store path is a folder") << "folder" << 1;
        QTest::newRow("writable") << "writable" << 0;
    }
    void unwritableStoreLogsOnceAndKeepsValues() {
        QFETCH(QString, setup);
        QFETCH(int, errors);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath("settings.ini");
        if (setup == "parent-file") {
            // Root ignores file modes, but nobody can make a folder inside a regular file.
            QFile blocker(dir.filePath("blocker"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            path = dir.filePath("blocker/settings.ini");
        } else if (setup == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("settings.ini"));
        }

        Quorvel::TestSupport::LogCapture log;
        SettingsStore store("test", path);
        store.SetString("PartnerName", "direct");
        store.SetInt("Count", 3);
        store.SetBool("Flag", true);
        store.Remove("Missing");
        store.SetString("PartnerName", "changed");

        const std::vector<std::string> records = log.Messages(google::GLOG_ERROR);
        QCOMPARE(int(records.size()), errors);
        for (const std::string& record : records) {
            QVERIFY2(record.find(Utf8(path)) != std::string::npos, record.c_str());
        }
        QCOMPARE(store.IsPersistent(), errors == 0);
        QCOMPARE(store.GetString("PartnerName", ""), std::string("changed"));
        QCOMPARE(store.GetInt("Count", 0), 3);
        QCOMPARE(store.GetBool("Flag", false), true);
    }

    // Each kind of settings has its own file beside the others, under the product's names.
    void managersKeepTheirOwnScope_data() {
        QTest::addColumn<QString>("scope");
        QTest::newRow("application") << "application";
        QTest::newRow("product") << "product";
        QTest::newRow("installer") << "installer";
        QTest::newRow("user") << "user";
        QTest::newRow("mail") << "mail";
    }
    void managersKeepTheirOwnScope() {
        QFETCH(QString, scope);
        QCoreApplication::setOrganizationName("QuorvelTest");
        QCoreApplication::setApplicationName("SettingsSuite");
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            "/QuorvelTest/SettingsSuite";
        QVERIFY(QDir(folder).removeRecursively());

        using Factory = std::function<std::unique_ptr<SettingsStore>()>;
        const std::map<QString, Factory> factories{
            {"application",
             [] { return std::make_unique<Quorvel::App::ApplicationSettingsManager>(); }},
            {"product", [] { return std::make_unique<Quorvel::App::ProductSettingsManager>(); }},
            {"installer",
             [] { return std::make_unique<Quorvel::App::InstallerSettingsManager>(); }},
            {"user", [] { return std::make_unique<Quorvel::App::UserSettingsManager>(); }},
            {"mail", [] { return std::make_unique<Quorvel::App::MailSettingsManager>(); }},
        };
        for (const auto& [name, factory] : factories) {
            factory()->SetString("Key", Utf8(name));
        }
        const auto store = factories.at(scope)();
        QCOMPARE(store->GetScope(), scope);
        QCOMPARE(store->GetLocation(), folder + "/" + scope + ".ini");
        QCOMPARE(store->GetString("Key", ""), Utf8(scope));
        QVERIFY(QFile::exists(folder + "/" + scope + ".ini"));

        const QString elsewhere = NewFile();
        Quorvel::App::ProductSettingsManager explicitFile(elsewhere);
        QCOMPARE(explicitFile.GetLocation(), elsewhere);
        QVERIFY(!explicitFile.Contains("Key"));
        QVERIFY(QDir(folder).removeRecursively());
    }
};

QUORVEL_TEST_MAIN(SettingsStoreTest)
#include "tst_SettingsStore.moc"
