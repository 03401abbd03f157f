#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <sys/stat.h>

using Quorvel::App::SettingsStore;
using Quorvel::TestSupport::LogCapture;
using Quorvel::TestSupport::ReadFile;
using Quorvel::TestSupport::WriteFile;

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// Writes a value of type "bool", "int" or "string"; any other type writes nothing.
void Write(SettingsStore& store, const QString& type, const QString& key, const QString& value) {
    if (type == "bool") store.SetBool(Utf8(key), value == "true");
    if (type == "int") store.SetInt(Utf8(key), value.toInt());
    if (type == "string") store.SetString(Utf8(key), Utf8(value));
}

// Reads a value of type "bool", "int", "uint", "contains" or "string" as text.
QString Read(const SettingsStore& store, const QString& type, const QString& key,
             const QString& fallback) {
    const std::string k = Utf8(key);
    if (type == "bool") return store.GetBool(k, fallback == "true") ? "true" : "false";
    if (type == "contains") return store.Contains(k) ? "true" : "false";
    if (type == "int") return QString::number(store.GetInt(k, fallback.toInt()));
    if (type == "uint") return QString::number(store.GetUInt(k, fallback.toUInt()));
    return QString::fromStdString(store.GetString(k, Utf8(fallback)));
}

// settings_probe's exit code with `arguments`, or -1 when it had to be killed after ten
// seconds; `errors` gets its ERROR records.
int Probe(const QStringList& arguments, QStringList& errors) {
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + "/settings_probe", arguments);
    const bool finished = probe.waitForFinished(10000);
    probe.kill();
    probe.waitForFinished();
    errors = QString::fromUtf8(probe.readAllStandardError()).split('\n');
    errors = errors.filter(QRegularExpression("^E\\d"));
    return finished && probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1;
}

// The cells of a row in one list, so that each rule stays one line.
template <class List>
void Row(const char* name, const List& cells) {
    QTest::newRow(name) << cells;
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString NewFile() { return m_dir.filePath(QString("store%1.ini").arg(++m_files)); }

private slots:
    // Write type, key, value, read type, fallback, expected; read back in the same store and
    // in a second one over the file. Write type "-" writes nothing; "ini" writes the file by
    // hand, as the installer may.
    void readsBackWhatWasWritten_data() {
        QTest::addColumn<QStringList>("cells");
        const QString text = QString::fromUtf8("Привет, 世界 🙂");
        Row("missing", QStringList{"-", "k", "", "string", "fallback", "fallback"});
        Row("bool", QStringList{"bool", "flag", "false", "bool", "true", "false"});
        Row("non-zero int as bool", QStringList{"int", "n", "2", "bool", "false", "true"});
        Row("text FALSE as bool", QStringList{"string", "w", "FALSE", "bool", "true", "false"});
        Row("padded number", QStringList{"string", "n", " 17 ", "int", "0", "17"});
        Row("unconvertible gives the fallback", QStringList{"int", "n", "-1", "uint", "9", "9"});
        Row("empty text is a value", QStringList{"string", "w", "", "string", "default", ""});
        Row("text like a variant",
            QStringList{"string", "w", "@Variant(a)", "string", "", "@Variant(a)"});
        Row("non-BMP text, odd key",
            QStringList{"string", "G/Partner Name.X", text, "string", "", text});
        Row("hand-written UTF-8", QStringList{"ini", "G/k", "[G]\nk=" + text, "string", "", text});
        Row("hand-written list", QStringList{"ini", "list", "list=a, b", "string", "", "a, b"});
        // From fuzz_settings (UBSan): the digits of an escape overflowed an int.
        Row("long hex escape keeps its last 16 bits",
            QStringList{"ini", "k", "k=\\x1234567890A", "string", "", QString(QChar(0x890A))});
        Row("group is no value", QStringList{"ini", "G", "[G]\nk=5", "contains", "", "false"});
    }
    void readsBackWhatWasWritten() {
        QFETCH(QStringList, cells);
        const QString file = NewFile();
        QVERIFY(cells[0] != "ini" || WriteFile(file, cells[2].toUtf8()));
        SettingsStore store("test", file);
        Write(store, cells[0], cells[1], cells[2]);
        QCOMPARE(Read(store, cells[3], cells[1], cells[4]), cells[5]);
        QCOMPARE(Read(SettingsStore("test", file), cells[3], cells[1], cells[4]), cells[5]);
    }

    // File before, key, value (empty: removed), file after. A change rewrites the lines of its
    // key only: other keys keep their bytes (here Latin-1, which is no UTF-8), comments,
    // blanks and line ends; new text is plain UTF-8. A group goes with all below it; a key
    // that names the whole store removes nothing and is logged, naming the file.
    void changesOnlyItsKey_data() {
        QTest::addColumn<QByteArrayList>("cells");
        Row("value replaced in its line",
            QByteArrayList{"[General]\r\nLegacy=caf\xe9\r\nOther = 1 ; note\r\n", "Other", "2",
                           "[General]\r\nLegacy=caf\xe9\r\nOther = 2 ; note\r\n"});
        Row("new key joins its section, as UTF-8",
            QByteArrayList{"[G]\nold=\xff\nk=1\n\n[H]\nk=1\n", "G/new",
                           "\xC3\x9Cn \xF0\x9F\x99\x82",
                           "[G]\nold=\xff\nk=1\nnew=\xC3\x9Cn \xF0\x9F\x99\x82\n\n[H]\nk=1\n"});
        Row("new section at the end",
            QByteArrayList{"; by hand\nold=\xe9", "Group/Sub/k", "a,b",
                           "; by hand\nold=\xe9\n\n[Group]\nSub\\k=\"a,b\"\n"});
        // Found by fuzz_settings: the new key joined the last line and was lost.
        Row("new key after a last line ending in a lone CR",
            QByteArrayList{"[General]\r\nTheme=dark\r", "LaunchType", "install",
                           "[General]\r\nTheme=dark\r\nLaunchType=install\r\n"});
        Row("key removed with its repeats",
            QByteArrayList{"[G]\nk=1\nold=\xe9\n[G]\nk=2\n", "G/k", "", "[G]\nold=\xe9\n[G]\n"});
        const QByteArray windows = "Windows=1\n[Window]\nGeometry=1\nSub\\Deep=2\n";
        Row("group", QByteArrayList{windows, "Window", "", "Windows=1\n[Window]\n"});
        Row("inner group",
            QByteArrayList{windows, "/Window//Sub/", "", "Windows=1\n[Window]\nGeometry=1\n"});
        Row("top-level key", QByteArrayList{windows, "Windows", "", windows.mid(10)});
        Row("whole store", QByteArrayList{windows, "//", "", windows});
    }
    void changesOnlyItsKey() {
        QFETCH(QByteArrayList, cells);
        const QString path = NewFile();
        const std::string key = cells[1].toStdString(), value = cells[2].toStdString();
        QVERIFY(WriteFile(path, cells[0]));
        LogCapture log;
        {
            SettingsStore store("test", path);
            value.empty() ? store.Remove(key) : store.SetString(key, value);
        }
        QCOMPARE(log.Count(Utf8(path)), cells[3] == cells[0] ? 1 : 0);
        QCOMPARE(ReadFile(path), cells[3]);
        QCOMPARE(SettingsStore("test", path).GetString(key, "-"), value.empty() ? "-" : value);
    }

    // The installer writes from its own process; the product sees it on its next start.
    void anotherProcessWritesAndRemoves() {
        const QString file = NewFile();
        SettingsStore("test", file).SetInt("DateOfFirstStart", 1700000000);
        const QString probe = QCoreApplication::applicationDirPath() + "/settings_probe";
        QCOMPARE(QProcess::execute(probe, {file, "set", "PartnerName", "installer"}), 0);
        QCOMPARE(QProcess::execute(probe, {file, "remove", "DateOfFirstStart"}), 0);
        SettingsStore later("test", file);
        QCOMPARE(later.GetString("PartnerName", ""), std::string("installer"));
        QVERIFY(!later.Contains("DateOfFirstStart"));
    }

    // A store that cannot be written is named once in the log, never waited on or replaced,
    // and keeps its values in memory. Root ignores file modes, but nobody can make a folder
    // inside a regular file.
    void unwritableStoreLogsOnceAndKeepsValues_data() {
        QTest::addColumn<QString>("setup");
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
        }
        QVERIFY(setup != "fifo" || ::mkfifo(QFile::encodeName(path), 0600) == 0);
        LogCapture log;
        SettingsStore store("test", path);
        store.SetString("PartnerName", "direct");
        store.SetInt("Count", 3);
        store.SetString("PartnerName", "changed");
        const int errors = setup == "writable" ? 0 : 1;
        QCOMPARE(int(log.Messages(google::GLOG_ERROR).size()), errors);
        QCOMPARE(log.Count(Utf8(path)), errors);
        QCOMPARE(store.IsPersistent() && QFileInfo(path).isFile(), errors == 0);
        QCOMPARE(store.GetString("PartnerName", "") + std::to_string(store.GetInt("Count", 0)),
                 std::string("changed3"));
    }

    // A change replaces its file whole or leaves every byte of it, another program's section
    // included, says so once, naming the file (or the lock file in its way), and leaves no new
    // file beside it. Room is the most that any one file may hold, as on a nearly full disk. A
    // lock path that is no regular file is refused at once, never waited on.
    void changeIsWholeOrNothing_data() {
        QTest::addColumn<QStringList>("cells");  // room, lock path, named in the ERROR
        Row("no room", QStringList{"0", "", "product.ini"});
        Row("room for the lock file only", QStringList{"60", "", "product.ini"});
        Row("room for part of the new file", QStringList{"200", "", "product.ini"});
        Row("room for the new file less one byte", QStringList{"339", "", "product.ini"});
        Row("room for the new file", QStringList{"340", "", ""});
        Row("lock path is a FIFO", QStringList{"", "fifo", "product.ini.lock"});
        Row("lock path is a folder", QStringList{"", "folder", "product.ini.lock"});
    }
    void changeIsWholeOrNothing() {
        QFETCH(QStringList, cells);
        QTemporaryDir dir;
        const QString path = dir.filePath("product.ini"), lock = path + ".lock";
        const QByteArray before = "[Other]\nkey=" + QByteArray(300, 'x') + "\n[Dialogs]\nQuit=1\n";
        QVERIFY(WriteFile(path, before));
        QVERIFY(cells[1] != "fifo" || ::mkfifo(QFile::encodeName(lock), 0600) == 0);
        QVERIFY(cells[1] != "folder" || QDir().mkdir(lock));
        QStringList arguments{path, "set", "Dialogs/New", "value"}, errors;
        const bool written = cells[2].isEmpty();
        QCOMPARE(Probe(arguments + cells.mid(0, cells[0].isEmpty() ? 0 : 1), errors),
                 written ? 0 : 1);
        QCOMPARE(ReadFile(path), written ? before + "New=value\n" : before);
        QCOMPARE(errors.size(), written ? 0 : 1);
        QCOMPARE(errors.filter(dir.filePath(cells[2])).size(), errors.size());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"product.ini"});
    }

    // Names may come from a data file: each stays one folder level below the config folder,
    // and a changed name is logged once.
    void namesStayOneFolderLevel_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("changed");
        QTest::newRow("parent folders") << QStringList{"Quorvel Tests", "../../escape"} << 1;
        QTest::newRow("separators") << QStringList{"a/b", "c\\d"} << 2;
        QTest::newRow("dots only") << QStringList{"..", "."} << 2;
    }
    void namesStayOneFolderLevel() {
        QFETCH(QStringList, names);
        QCoreApplication::setOrganizationName(names[0]);
        QCoreApplication::setApplicationName(names[1]);
        LogCapture log;
        const QString path = SettingsStore::DefaultFilePath("product");
        SettingsStore::DefaultFilePath("user");
        const QString root =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/";
        const QStringList levels = path.mid(root.size()).split('/');
        QVERIFY(path.startsWith(root) && levels.size() == 3);
        QVERIFY(!levels.contains("..") && !levels.contains(".") && !levels[1].contains('\\'));
        QTEST(int(log.Records().size()), "changed");
    }

    // One store may be used from several threads: every write of every thread is kept.
    void severalThreadsShareOneStore() {
        const QString file = NewFile();
        const auto key = [](int t, int k) { return "T" + std::to_string(t * 100 + k); };
        {
            SettingsStore store("test", file);
            Quorvel::TestSupport::RunOnThreads(4, [&](int t) {
                for (int k = 0; k < 25; ++k) {
                    store.SetInt(key(t, k), k);
                    store.GetInt("T0", 0);
                }
            });
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
        std::unique_ptr<SettingsStore> stores[] = {std::make_unique<ApplicationSettingsManager>(),
                                                   std::make_unique<ProductSettingsManager>(),
                                                   std::make_unique<InstallerSettingsManager>(),
                                                   std::make_unique<UserSettingsManager>(),
                                                   std::make_unique<MailSettingsManager>()};
        QString files;
        for (const auto& store : stores) files += store->GetLocation().remove(folder) + ",";
        QCOMPARE(files, QString("application.ini,product.ini,installer.ini,user.ini,mail.ini,"));
        QCOMPARE(ProductSettingsManager(m_dir.path()).GetLocation(), m_dir.path());
        QVERIFY(QDir(folder).removeRecursively());
    }
};

QUORVEL_TEST_MAIN(SettingsStoreTest)
#include "tst_SettingsStore.moc"
