#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "helpers/SettingsText.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <thread>
#include <vector>

using Quorvel::App::SettingsStore;
using Quorvel::TestSupport::LogCapture;
using SettingsText::Read;
using SettingsText::Utf8;

namespace {

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString NewFile() { return m_dir.filePath(QString("store%1.ini").arg(++m_files)); }

private slots:
    // Read back in the same store and in a second one over the file. Write type "-" writes
    // nothing; "ini" writes the file by hand, as the installer may.
    void readsBackWhatWasWritten_data() {
        for (const char* column : {"writeType", "key", "value", "readType", "fallback", "expected"})
            QTest::addColumn<QString>(column);
        const auto row = [](const char* name, const QStringList& cells) {
            QTestData& data = QTest::newRow(name);
            for (const QString& cell : cells) data << cell;
        };
        const QString text = QString::fromUtf8("Привет, 世界 🙂");
        row("missing", {"-", "k", "", "string", "fallback", "fallback"});
        row("bool", {"bool", "flag", "false", "bool", "true", "false"});
        row("non-zero int as bool", {"int", "n", "2", "bool", "false", "true"});
        row("text FALSE as bool", {"string", "w", "FALSE", "bool", "true", "false"});
        row("padded number", {"string", "n", " 17 ", "int", "0", "17"});
        row("unconvertible gives the fallback", {"int", "n", "-1", "uint", "9", "9"});
        row("empty text is a value", {"string", "w", "", "string", "default", ""});
        row("text like a variant", {"string", "w", "@Variant(abc)", "string", "", "@Variant(abc)"});
        row("non-BMP text, odd key", {"string", "G/Partner Name.X", text, "string", "", text});
        row("hand-written four-byte UTF-8", {"ini", "G/k", "[G]\nk=" + text, "string", "", text});
        row("hand-written list", {"ini", "list", "list=a, b", "string", "", "a, b"});
        // From fuzz_settings (UBSan): the digits of an escape overflowed an int.
        row("long hex escape keeps its last 16 bits",
            {"ini", "k", "k=\\x1234567890A", "string", "", QString(QChar(0x890A))});
        row("group is no value", {"ini", "G", "[G]\nk=5", "contains", "", "false"});
    }
    void readsBackWhatWasWritten() {
        QFETCH(QString, writeType);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, readType);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        const QString file = NewFile();
        QVERIFY(writeType != "ini" || WriteFile(file, value.toUtf8()));
        SettingsStore store("test", file);
        SettingsText::Write(store, writeType, key, value);
        QCOMPARE(Read(store, readType, key, fallback), expected);
        QCOMPARE(Read(SettingsStore("test", file), readType, key, fallback), expected);
    }

    // A change rewrites the lines of its key only: other keys keep their bytes (here Latin-1,
    // which is no UTF-8), comments, blanks and line ends; new text is plain UTF-8.
    void keepsTheBytesOfOtherKeys_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");  // null: removed
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("value replaced in its line")
            << QByteArray("[General]\r\nLegacy=caf\xe9\r\nOther = 1 ; note\r\n") << "Other"
            << "2" << QByteArray("[General]\r\nLegacy=caf\xe9\r\nOther = 2 ; note\r\n");
        QTest::newRow("new key joins its section, as UTF-8")
            << QByteArray("[G]\nold=\xff\nk=1\n\n[H]\nk=1\n") << "G/new"
            << QString::fromUtf8("Ünï 🙂")
            << QByteArray(
                   "[G]\nold=\xff\nk=1\nnew=\xC3\x9Cn\xC3\xAF \xF0\x9F\x99\x82\n\n[H]\nk=1\n");
        QTest::newRow("new section at the end")
            << QByteArray("; by hand\nold=\xe9") << "Group/Sub/k"
            << "a,b" << QByteArray("; by hand\nold=\xe9\n\n[Group]\nSub\\k=\"a,b\"\n");
        // Found by fuzz_settings: the new key joined the last line and was lost.
        QTest::newRow("new key after a last line ending in a lone CR")
            << QByteArray("[General]\r\nTheme=dark\r") << "LaunchType"
            << "install" << QByteArray("[General]\r\nTheme=dark\r\nLaunchType=install\r\n");
        QTest::newRow("key removed with its repeats")
            << QByteArray("[G]\nk=1\nold=\xe9\n[G]\nk=2\n") << "G/k" << QString()
            << QByteArray("[G]\nold=\xe9\n[G]\n");
    }
    void keepsTheBytesOfOtherKeys() {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = NewFile();
        QVERIFY(WriteFile(path, before));
        {
            SettingsStore store("test", path);
            value.isNull() ? store.Remove(Utf8(key)) : store.SetString(Utf8(key), Utf8(value));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
        QCOMPARE(Read(SettingsStore("test", path), "string", key, "-"),
                 value.isNull() ? QString("-") : value);
    }

    // A group goes with all below it; a key that names the whole store removes nothing and
    // says so.
    void removeTakesKeyOrWholeGroup_data() {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("kept");  // of Window/Geometry, Window/Sub/Deep, Windows
        QTest::newRow("group") << "Window"
                               << "001";
        QTest::newRow("inner group") << "/Window//Sub/"
                                     << "101";
        QTest::newRow("top-level key") << "Windows"
                                       << "110";
        QTest::newRow("whole store") << "//"
                                     << "111";
    }
    void removeTakesKeyOrWholeGroup() {
        QFETCH(QString, removed);
        QFETCH(QString, kept);
        const QString file = NewFile();
        const std::vector<std::string> keys{"Window/Geometry", "Window/Sub/Deep", "Windows"};
        SettingsStore store("test", file);
        for (const std::string& key : keys) store.SetString(key, "v");
        LogCapture log;
        store.Remove(Utf8(removed));
        QCOMPARE(log.Count(Utf8(file)), kept == "111" ? 1 : 0);
        const SettingsStore reread("test", file);
        QString found;
        for (const std::string& key : keys) found += reread.Contains(key) ? "1" : "0";
        QCOMPARE(found, kept);
    }

    // The installer writes from its own process; the product sees it on its next start.
    void anotherProcessWritesAndRemoves() {
        const QString file = NewFile();
        SettingsStore("test", file).SetInt("DateOfFirstStart", 1700000000);
        const QString probe = QCoreApplication::applicationDirPath() + "/settings_probe";
        QCOMPARE(QProcess::execute(probe, {file, "set", "string", "PartnerName", "installer"}), 0);
        QCOMPARE(QProcess::execute(probe, {file, "remove", "DateOfFirstStart"}), 0);
        SettingsStore later("test", file);
        QCOMPARE(later.GetString("PartnerName", ""), std::string("installer"));
        QVERIFY(!later.Contains("DateOfFirstStart"));
    }

    // A store that cannot be written is named once in the log, never waited on or replaced,
    // and keeps its values in memory.
    void unwritableStoreLogsOnceAndKeepsValues_data() {
        QTest::addColumn<QString>("setup");
        // Root ignores file modes, but nobody can make a folder inside a regular file.
        QTest::newRow("parent is a regular file") << "parent-file";
        QTest::newRow("store path is a FIFO") << "fifo";
        QTest::newRow("writable") << "writable";
    }
    void unwritableStoreLogsOnceAndKeepsValues() {
        QFETCH(QString, setup);
        QTemporaryDir dir;
        QString path = dir.filePath("settings.ini");
        if (setup == "parent-file") {
            QVERIFY(WriteFile(dir.filePath("blocker"), ""));
            path = dir.filePath("blocker/settings.ini");
        } else if (setup == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(path), 0600) == 0);
        }
        LogCapture log;
        SettingsStore store("test", path);
        store.SetString("PartnerName", "direct");
        store.SetInt("Count", 3);
        store.SetString("PartnerName", "changed");
        const int errors = setup == "writable" ? 0 : 1;
        QCOMPARE(int(log.Messages(google::GLOG_ERROR).size()), errors);
        QCOMPARE(log.Count(Utf8(path)), errors);
        QCOMPARE(store.IsPersistent(), errors == 0);
        QCOMPARE(store.GetString("PartnerName", "") + std::to_string(store.GetInt("Count", 0)),
                 std::string("changed3"));
        QCOMPARE(QFileInfo(path).isFile(), setup == "writable");
    }

    // Names may come from a data file: each stays one folder level below the config folder,
    // and a changed name is logged once.
    void namesStayOneFolderLevel_data() {
        QTest::addColumn<QString>("organization");
        QTest::addColumn<QString>("application");
        QTest::addColumn<int>("changed");
        QTest::newRow("parent folders") << "Quorvel Tests"
                                        << "../../escape" << 1;
        QTest::newRow("separators") << "a/b"
                                    << "c\\d" << 2;
        QTest::newRow("dots only") << ".."
                                   << "." << 2;
    }
    void namesStayOneFolderLevel() {
        QFETCH(QString, organization);
        QFETCH(QString, application);
        QFETCH(int, changed);
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);
        LogCapture log;
        const QString path = SettingsStore::DefaultFilePath("product");
        SettingsStore::DefaultFilePath("user");
        const QString root =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/";
        const QStringList levels = path.mid(root.size()).split('/');
        QVERIFY(path.startsWith(root) && levels.size() == 3);
        QVERIFY(!levels.contains("..") && !levels.contains(".") && !levels[1].contains('\\'));
        QCOMPARE(int(log.Records().size()), changed);
    }

    // One store may be used from several threads: every write of every thread is kept.
    void severalThreadsShareOneStore() {
        const QString file = NewFile();
        const auto key = [](int t, int k) {
            return "T" + std::to_string(t) + "/k" + std::to_string(k);
        };
        {
            SettingsStore store("test", file);
            std::vector<std::thread> threads;
            for (int t = 0; t < 4; ++t) {
                threads.emplace_back([&, t] {
                    for (int k = 0; k < 25; ++k) {
                        store.SetInt(key(t, k), k);
                        store.GetInt("T0/k0", 0);
                    }
                });
            }
            for (std::thread& thread : threads) thread.join();
        }
        const SettingsStore reread("test", file);
        for (int t = 0; t < 4; ++t) {
            for (int k = 0; k < 25; ++k) QCOMPARE(reread.GetInt(key(t, k), -1), k);
        }
    }

    // Each kind of settings has its own file beside the others, under the product's names.
    void managersKeepTheirOwnScope() {
        using namespace Quorvel::App;
        QCoreApplication::setOrganizationName("QuorvelTest");
        QCoreApplication::setApplicationName("SettingsSuite");
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            "/QuorvelTest/SettingsSuite/";
        QVERIFY(QDir(folder).removeRecursively());
        std::unique_ptr<SettingsStore> stores[] = {std::make_unique<ApplicationSettingsManager>(),
                                                   std::make_unique<ProductSettingsManager>(),
                                                   std::make_unique<InstallerSettingsManager>(),
                                                   std::make_unique<UserSettingsManager>(),
                                                   std::make_unique<MailSettingsManager>()};
        for (const auto& store : stores) store->SetString("Key", Utf8(store->GetScope()));
        QStringList scopes;
        for (const auto& store : stores) {
            scopes << store->GetScope();
            QCOMPARE(store->GetLocation(), folder + store->GetScope() + ".ini");
            QCOMPARE(store->GetString("Key", ""), Utf8(store->GetScope()));
            QVERIFY(QFile::exists(store->GetLocation()));
        }
        QCOMPARE(scopes.join(','), QString("application,product,installer,user,mail"));
        QCOMPARE(ProductSettingsManager(m_dir.path()).GetLocation(), m_dir.path());
        QVERIFY(QDir(folder).removeRecursively());
    }
};

QUORVEL_TEST_MAIN(SettingsStoreTest)
#include "tst_SettingsStore.moc"
