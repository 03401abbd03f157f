// The diagnostic harness across real processes: the probe program runs it with the options.
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

class TestTestingHarness : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_probe;
    QString m_out;  // with the log records

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // Runs the probe with space-separated `arguments`; "LOG" stands for a file in the test folder,
    // "ODD" for the test folder under a name with the byte 0xFF, which also gives the data folder.
    void Probe(QString arguments) {
        m_probe.setProcessChannelMode(QProcess::MergedChannels);
        m_probe.setEnvironment(QProcess::systemEnvironment() << "XDG_DATA_HOME=" + Path("data"));
        const bool odd = arguments.contains("ODD");
        m_probe.start(Quorvel::TestSupport::HelperProgram("testing_probe"),
                      arguments.prepend(odd ? "--raw-exec " : "")
                              .replace("LOG", Path("links.log"))
                              .replace("SHARED", Path("shared"))
                              .replace("ODD", Path("odd\\xff"))
                              .split(' ', Qt::SkipEmptyParts)
                          << "--data-dir" << Path(odd ? "odd\\xff/product" : "product"));
        m_probe.waitForFinished(60000);
        m_out = QString::fromUtf8(m_probe.readAll());
    }
    // What follows `key` on each line that begins with it.
    QStringList Values(const QString& key) const {
        return m_out.split('\n')
            .filter(QRegularExpression("^" + key + " "))
            .replaceInStrings(QRegularExpression("^" + key + " "), "");
    }

private slots:
    void initTestCase() {
        for (const QString locale : {"de_DE", "en_US", "es_ES", "fr_FR", "ru_RU"}) {
            QVERIFY(QDir().mkpath(Path("product/resources/locales/" + locale)));
        }
        // Like the temp folder, anyone may put a link there: one leads to a file of this user.
        QVERIFY(QDir().mkpath(Path("shared")) && ::chmod(qPrintable(Path("shared")), 01777) == 0);
        QVERIFY(Quorvel::TestSupport::WriteFile(Path("victim"), "mine") &&
                QFile::link(Path("victim"), Path("shared/links.log")));
        // A name that is bytes, not UTF-8, for this folder.
        QVERIFY(::symlink(".", QFile::encodeName(Path("odd")) + "\xff") == 0);
    }
    void init() {
        QFile::remove(Path("links.log"));
        QDir(Path("data")).removeRecursively();
    }

    // How a run ends, what it prints once, and on which thread it faults. Values that would
    // reach another's file or an absurd size are refused, each named once in the log; no file
    // behind a link in a shared folder is touched.
    void runs_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("signal");      // 0: no crash
        QTest::addColumn<QString>("thread");  // of the fault
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QString& arguments, const QString& text,
                            int signal = 0, const char* thread = "") {
            QTest::newRow(name) << arguments << signal << QString(thread) << text;
        };
        const QString after = "--test-crash-after 0 ";
        row("segfault", after, "", SIGSEGV, "background");
        row("segfault, main, malformed delay", "--test-crash-after=soon --test-crash-thread=main",
            "--test-crash-after: \"soon\" is not a whole number", SIGSEGV, "main");
        row("exception through the guard",
            after + "--test-crash-reason exception --test-crash-thread main",
            "Exception has been caught in event processing", SIGABRT);
        row("unknown reason", after + "--test-crash-reason boom",
            "boom isn't supported value for test-crash-reason");
        row("ssl enable", "--prefer http --test-ssl-enable", "https 1");
        row("both ssl options", "--test-ssl-disable --ssl-enable",
            "error Invalid options combination: test-ssl-disable and test-ssl-enable");
        row("link log through a link in a shared folder",
            "--test-open-urls --test-custom-locales ru_RU --test-log-urls SHARED/links.log",
            "SHARED/links.log");
        // Refused before the reason is looked at, and nothing is scheduled.
        const QString refused = " isn't supported value for test-crash-after";
        row("crash delay out of range", "--test-crash-after 99999999999 --test-crash-reason boom",
            "99999999999" + refused);
        row("negative crash delay", "--test-crash-after -1", "-1" + refused);
        row("crash delay above a day", "--test-crash-after 86400001", "86400001" + refused);
    }
    void runs() {
        QFETCH(QString, arguments);
        QFETCH(int, signal);
        QFETCH(QString, thread);
        QFETCH(QString, text);
        Probe(arguments);
        QCOMPARE(m_probe.exitStatus() == QProcess::CrashExit, signal != 0);
        QCOMPARE(m_probe.exitCode(), signal);
        QVERIFY(text.isEmpty() || m_out.count(text.replace("SHARED", Path("shared"))) == 1);
        QCOMPARE(Quorvel::TestSupport::ReadFile(Path("victim")), QByteArray("mine"));
        if (!thread.isEmpty()) {  // a real access to address 0, on the chosen thread
            const auto fault =
                QRegularExpression(R"(SIGSEGV \(@0x0\) .* \(TID (0x\w+)\))").match(m_out);
            QVERIFY(fault.hasMatch());
            QCOMPARE(Values("main thread").contains(fault.captured(1)), thread == "main");
        }
    }

    // Every option by its first name, with its description; aliases are not listed.
    void helpListsEveryOption() {
        Probe("--bogus --test-help");
        const QStringList names = Values("names").value(0).split(' ');
        QVERIFY(names.contains("test-help") && names.contains("ssl-enable"));
        QString lines;
        for (const QString& name : names.filter(QRegularExpression("^(?!ssl-)"))) {
            lines += "--" + name + " \\S[^\\n]*\\n";
        }
        QVERIFY(QRegularExpression("^box \\n" + lines + "\\nend of box$",
                                   QRegularExpression::MultilineOption)
                    .match(m_out)
                    .hasMatch());
    }

    // The dump has a line "<locale>;<key name>;<address>;" per link, the address resolved in
    // its locale; links open in the dump's order ("open <ms> <address>"), noted in the log
    // file; the interface language is restored and no link escapes the log.
    void links_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("locales");  // of the dump, in order
        QTest::addColumn<QString>("opened");   // when each link opened, in ms
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QString& arguments, const char* locales,
                            const char* opened = "", const QString& text = "") {
            QTest::newRow(name) << arguments << QString(locales) << QString(opened) << text;
        };
        const QString open = "--test-open-urls --test-log-urls LOG --test-custom-locales ";
        row("default locales", "--test-dump-urls", "de_DE en_US ru_RU es_ES fr_FR");
        row("chosen locale, delay", open + "fr_FR,xx_XX --test-open-urls-delay 500", "fr_FR",
            "10000 10500 11000");
        row("malformed delay", open + "de_DE --test-open-urls-delay=soon", "de_DE",
            "10000 10000 10000", "--test-open-urls-delay: \"soon\" is not");
        // From fuzz_harness (UBSan): the schedule wrapped around, a later link opened first.
        row("delay of a day", open + "de_DE --test-open-urls-delay 86400000", "de_DE", "10000");
        row("negative delay: nothing dumped or opened",
            "--test-open-urls --test-custom-locales de_DE --test-open-urls-delay -1000", "", "",
            "-1000 isn't supported value for test-open-urls-delay");
        row("log cannot be opened, default delay",
            "--test-open-urls --test-custom-locales ru_RU --test-log-urls /nonexistent/log",
            "ru_RU", "10000 11000 12000");
        row("a service throws", "--test-dump-urls --throw-in ru_RU", "de_DE en_US", "",
            "error no customization for ru_RU");
        row("folders named by bytes that are no UTF-8",
            "--test-open-urls --test-log-urls ODD/links.log --test-custom-locales de_DE", "de_DE",
            "10000 11000 12000");
        row("dump cannot be written", "--test-dump-urls BLOCKED", "", "",
            "box Config test error\nCan't open file to dump: " + Path("data/testing_probe/"));
    }
    void links() {
        QFETCH(QString, arguments);
        QFETCH(QString, opened);
        QFETCH(QString, text);
        const QString dump = Path("data/testing_probe/Probe-url-dump.csv");
        QVERIFY(!arguments.contains("BLOCKED") || QDir().mkpath(dump));
        Probe(arguments.remove("BLOCKED"));
        QVERIFY(m_out.contains(text));
        QCOMPARE(Values("locale"), QStringList{"en_US"});
        QVERIFY(!m_out.contains("QPlatformServices::openUrl"));
        const QString content = Quorvel::TestSupport::ReadFile(dump);
        QCOMPARE(content.count(QRegularExpression(R"(^(\w+);\w+;https://probe\.example/\1/\d+;$)",
                                                  QRegularExpression::MultilineOption)),
                 content.count('\n'));
        QStringList dumped, addresses;
        for (const QString& line : content.split('\n', Qt::SkipEmptyParts)) {
            if (!dumped.contains(line.section(';', 0, 0))) dumped << line.section(';', 0, 0);
            addresses << line.section(';', 2, 2);
        }
        QTEST(dumped.join(' '), "locales");
        QStringList expected;
        for (const QString& ms : opened.split(' ', Qt::SkipEmptyParts)) {
            expected << ms + ' ' + addresses.value(expected.size());
        }
        QCOMPARE(Values("open"), expected);
        QFile log(Path("links.log"));
        QCOMPARE(log.open(QIODevice::ReadOnly), arguments.contains(QRegularExpression("LOG|ODD")));
        QVERIFY(!log.isOpen() ||
                log.readAll() == addresses.mid(0, expected.size()).join('\n') + '\n');
    }
};

QUORVEL_TEST_MAIN(TestTestingHarness)
#include "tst_TestingHarness.moc"
