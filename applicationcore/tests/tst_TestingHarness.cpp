// The diagnostic harness across real processes: the probe program runs it with the options.
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

class TestTestingHarness : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_probe;
    QString m_out;
    QString m_err;

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // Runs the probe with space-separated `arguments`; "LOG" stands for a file in the test folder.
    void Probe(QString arguments) {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", Path("data"));
        m_probe.setProcessEnvironment(environment);
        m_probe.start(
            Quorvel::TestSupport::HelperProgram("testing_probe"),
            QStringList{"--data-dir", Path("product")} +
                arguments.replace("LOG", Path("links.log")).split(' ', Qt::SkipEmptyParts));
        m_probe.waitForFinished(60000);
        m_out = QString::fromUtf8(m_probe.readAllStandardOutput());
        m_err = QString::fromUtf8(m_probe.readAllStandardError());
    }
    // The rest of the first output line that begins with `key` and a space.
    QString Value(const QString& key) const {
        return QRegularExpression("^" + key + " (.*)$", QRegularExpression::MultilineOption)
            .match(m_out)
            .captured(1);
    }

private slots:
    void initTestCase() {
        for (const QString locale : {"de_DE", "en_US", "es_ES", "fr_FR", "ru_RU"}) {
            QVERIFY(QDir().mkpath(Path("product/resources/locales/" + locale)));
        }
    }
    void init() {
        QFile::remove(Path("links.log"));
        QDir(Path("data")).removeRecursively();
    }

    // What a run prints, how it ends, and on which thread it faults.
    void runs_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("signal");      // 0: no crash
        QTest::addColumn<QString>("thread");  // of the fault
        QTest::addColumn<QString>("text");    // printed or logged once
        const QString after = "--test-crash-after 0 ";
        QTest::newRow("segfault, background") << after << SIGSEGV << "background"
                                              << "";
        QTest::newRow("segfault, main, malformed delay")
            << "--test-crash-after=soon --test-crash-thread=main" << SIGSEGV << "main"
            << "";
        QTest::newRow("exception through the event guard")
            << after + "--test-crash-reason exception --test-crash-thread main" << SIGABRT << ""
            << "Exception has been caught in event processing";
        QTest::newRow("unknown reason") << after + "--test-crash-reason boom" << 0 << ""
                                        << "boom isn't supported value for test-crash-reason";
        QTest::newRow("no delay") << "--test-crash-reason exception --test-crash-thread main" << 0
                                  << ""
                                  << "locale en_US";
        QTest::newRow("ssl enable") << "--prefer http --test-ssl-enable" << 0 << ""
                                    << "https 1";
        QTest::newRow("ssl alias disable") << "--ssl-disable" << 0 << ""
                                           << "https 0";
        QTest::newRow("both ssl options")
            << "--test-ssl-disable --ssl-enable" << 0 << ""
            << "error Invalid options combination: test-ssl-disable and test-ssl-enable";
    }
    void runs() {
        QFETCH(QString, arguments);
        QFETCH(int, signal);
        QFETCH(QString, thread);
        QFETCH(QString, text);
        Probe(arguments);
        QCOMPARE(m_probe.exitStatus() == QProcess::CrashExit, signal != 0);
        QCOMPARE(m_probe.exitCode(), signal);
        QVERIFY2(text.isEmpty() || (m_out + m_err).count(text + '\n') == 1,
                 qPrintable(m_out + m_err));
        if (!thread.isEmpty()) {  // a real access to address 0, on the chosen thread
            const auto fault =
                QRegularExpression(R"(SIGSEGV \(@0x0\) .* \(TID (0x[0-9a-f]+)\))").match(m_err);
            QVERIFY2(fault.hasMatch(), qPrintable(m_err));
            QCOMPARE(fault.captured(1) == Value("main thread"), thread == "main");
        }
    }

    // One line per option: its first name and its description.
    void helpListsEveryOption() {
        Probe("--bogus --test-help");
        QCOMPARE(Value("names"), QString("test-help test-ssl-disable ssl-disable test-ssl-enable "
                                         "ssl-enable test-crash-after test-crash-reason "
                                         "test-crash-thread test-dump-urls test-open-urls "
                                         "test-log-urls test-open-urls-delay test-custom-locales"));
        QString pattern;
        for (const QString& name :
             Value("names").remove(QRegularExpression(" ssl-\\w+")).split(' ')) {
            pattern += "--" + name + " \\S[^\n]*\n";  // aliases are not listed
        }
        const QString box = m_out.section("box \n", 1).section("end of box", 0, 0);
        QVERIFY2(QRegularExpression("^" + pattern + "$").match(box).hasMatch(), qPrintable(box));
        QVERIFY(box.contains("available: segfault, exception\n"));
        QVERIFY(box.contains("available: main, background\n"));
    }

    void links_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("locales");  // of the dump, in order
        QTest::addColumn<QList<int>>("opened");    // when each link opened, in ms
        QTest::addColumn<QString>("error");
        const QString open = "--test-open-urls --test-log-urls LOG --test-custom-locales ";
        QTest::newRow("default locales")
            << "--test-dump-urls" << QStringList{"de_DE", "en_US", "ru_RU", "es_ES", "fr_FR"}
            << QList<int>{} << "";
        QTest::newRow("chosen locale, delay")
            << open + "fr_FR,xx_XX --test-open-urls-delay 500" << QStringList{"fr_FR"}
            << QList<int>{10000, 10500, 11000} << "";
        QTest::newRow("malformed delay")
            << open + "de_DE --test-open-urls-delay=soon" << QStringList{"de_DE"}
            << QList<int>{10000, 10000, 10000} << "";
        QTest::newRow("log cannot be opened")
            << "--test-open-urls --test-custom-locales ru_RU --test-log-urls /nonexistent/l"
            << QStringList{"ru_RU"} << QList<int>{10000, 11000, 12000} << "";
        QTest::newRow("a service throws")
            << "--test-dump-urls --throw-in ru_RU" << QStringList{"de_DE", "en_US"} << QList<int>{}
            << "error no customization for ru_RU";
        QTest::newRow("dump cannot be written")
            << "--test-dump-urls BLOCKED" << QStringList{} << QList<int>{}
            << "box Config test error\nCan't open file to dump: " +
                   Path("data/testing_probe/Probe-url-dump.csv");
    }
    void links() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, locales);
        QFETCH(QList<int>, opened);
        QFETCH(QString, error);
        QFile dump(Path("data/testing_probe/Probe-url-dump.csv"));
        QVERIFY(!arguments.contains("BLOCKED") || QDir().mkpath(dump.fileName()));
        Probe(arguments.remove("BLOCKED"));
        QVERIFY2(m_out.contains(error), qPrintable(m_out));
        QCOMPARE(Value("locale"), QString("en_US"));             // restored
        QVERIFY(!m_err.contains("QPlatformServices::openUrl"));  // no link escaped the log

        QStringList dumped;
        QStringList addresses;
        const QByteArray content = dump.open(QIODevice::ReadOnly) ? dump.readAll() : QByteArray();
        for (const QString& line : QString::fromUtf8(content).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(';');  // "<locale>;<key>;<address>;"
            QVERIFY2(fields.size() == 4 && fields[2].contains('/' + fields[0] + '/'),
                     qPrintable(line));
            dumped << (dumped.contains(fields[0]) ? QStringList() : QStringList{fields[0]});
            addresses << fields[2];
        }
        QCOMPARE(dumped, locales);
        QList<int> times;
        QStringList openedAddresses;
        for (const QString& line : m_out.split('\n').filter(QRegularExpression("^open "))) {
            times << line.section(' ', 1, 1).toInt();
            openedAddresses << line.section(' ', 2);
        }
        QCOMPARE(times, opened);
        QCOMPARE(openedAddresses, opened.isEmpty() ? QStringList() : addresses);
        QFile log(Path("links.log"));
        QCOMPARE(log.open(QIODevice::ReadOnly), arguments.contains("LOG"));
        if (log.isOpen()) {
            QCOMPARE(QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts),
                     openedAddresses);
        }
    }
};

QUORVEL_TEST_MAIN(TestTestingHarness)
#include "tst_TestingHarness.moc"
