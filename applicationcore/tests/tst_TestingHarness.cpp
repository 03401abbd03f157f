// The diagnostic harness across real processes: the probe program runs it with the options.
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

namespace {

struct Run {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString out;
    QString err;
    // The rest of the first output line that begins with `key` and a space.
    QString Value(const QString& key) const {
        const auto match = QRegularExpression("^" + key + " (.*)$", QRegularExpression::MultilineOption).match(out);
        return match.captured(1);
    }
};

}  // namespace

class TestTestingHarness : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // "LOG" stands for a log file in the home folder.
    Run Probe(QStringList arguments) const {
        arguments.replaceInStrings(QRegularExpression("^LOG$"), Path("links.log"));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", Path("data"));
        process.setProcessEnvironment(environment);
        process.start(Quorvel::TestSupport::HelperProgram("testing_probe"),
                      QStringList{"--data-dir", Path("product")} + arguments);
        Run run;
        if (process.waitForFinished(60000)) {
            run.status = process.exitStatus();
            run.code = process.exitCode();
        }
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
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

    void crashes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("signal");   // 0: no crash
        QTest::addColumn<QString>("thread");  // of the fault, when there is one
        QTest::addColumn<QString>("error");   // in the log, once
        QTest::newRow("segfault, background by default") << QStringList{"--test-crash-after", "0"} << SIGSEGV << "background" << "";
        QTest::newRow("segfault on the main thread") << QStringList{"--test-crash-after", "0", "--test-crash-thread", "main"} << SIGSEGV << "main" << "";
        QTest::newRow("malformed delay counts as 0") << QStringList{"--test-crash-after=soon", "--test-crash-thread=main"} << SIGSEGV << "main" << "";
        QTest::newRow("exception through the event guard") << QStringList{"--test-crash-after", "0", "--test-crash-reason", "exception", "--test-crash-thread", "main"} << SIGABRT << "" << "Exception has been caught in event processing";
        QTest::newRow("exception leaving its thread") << QStringList{"--test-crash-after", "0", "--test-crash-reason", "exception"} << SIGABRT << "" << "Exception from test-crash-after";
        QTest::newRow("unknown reason") << QStringList{"--test-crash-after", "0", "--test-crash-reason", "boom"} << 0 << "" << "boom isn't supported value for test-crash-reason";
        QTest::newRow("unknown thread") << QStringList{"--test-crash-after", "0", "--test-crash-thread", "gui"} << 0 << "" << "gui isn't supported value for test-crash-thread";
        QTest::newRow("no delay, no crash") << QStringList{"--test-crash-reason", "exception", "--test-crash-thread", "main"} << 0 << "" << "";
    }
    void crashes() {
        QFETCH(QStringList, arguments);
        QFETCH(int, signal);
        QFETCH(QString, thread);
        QFETCH(QString, error);
        const Run run = Probe(arguments);
        QVERIFY2(run.status == (signal ? QProcess::CrashExit : QProcess::NormalExit), qPrintable(run.err));
        QCOMPARE(run.code, signal);
        QCOMPARE(run.err.count(error) > 0 ? run.err.count(error) : 0, error.isEmpty() ? run.err.count(error) : 1);
        if (signal == SIGSEGV) {
            // A real access to address 0, reported on the chosen thread.
            const auto fault = QRegularExpression(R"(SIGSEGV \(@0x0\) received by PID \d+ \(TID (0x[0-9a-f]+)\))").match(run.err);
            QVERIFY2(fault.hasMatch(), qPrintable(run.err));
            QCOMPARE(fault.captured(1) == run.Value("main thread"), thread == "main");
        }
    }

    void sslPreference_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("enable") << QStringList{"--prefer", "http", "--test-ssl-enable"} << "https 1";
        QTest::newRow("alias disable") << QStringList{"--ssl-disable"} << "https 0";
        QTest::newRow("neither") << QStringList{"--prefer", "http"} << "https 0";
        QTest::newRow("both") << QStringList{"--test-ssl-disable", "--ssl-enable"} << "error Invalid options combination: test-ssl-disable and test-ssl-enable";
    }
    void sslPreference() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        const Run run = Probe(arguments);
        QVERIFY2(run.out.contains(line + '\n'), qPrintable(run.out));
    }

    // One line per option: its first name and its description; aliases are not listed.
    void helpListsEveryOption() {
        const Run run = Probe({"--bogus", "--test-help"});
        QCOMPARE(run.Value("names").split(' '), QString("test-help test-ssl-disable ssl-disable test-ssl-enable ssl-enable test-crash-after test-crash-reason test-crash-thread test-dump-urls test-open-urls test-log-urls test-open-urls-delay test-custom-locales").split(' '));
        const auto box = QRegularExpression("^box \n(.*)\nend of box$", QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption).match(run.out);
        QVERIFY2(box.hasMatch(), qPrintable(run.out));
        QStringList firstNames = run.Value("names").split(' ');
        firstNames.removeAll("ssl-disable");
        firstNames.removeAll("ssl-enable");
        const QStringList lines = box.captured(1).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), firstNames.size());
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(QRegularExpression("^--" + firstNames[i] + " \\S").match(lines[i]).hasMatch(), qPrintable(lines[i]));
        }
        QVERIFY(lines[4].endsWith("test-crash-after, available: segfault, exception"));
        QVERIFY(lines[5].endsWith("test-crash-after, available: main, background"));
    }

    void links_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("locales");  // of the dump, in order
        QTest::addColumn<QList<int>>("opened");    // when each link opened, in ms
        QTest::addColumn<QString>("error");
        QTest::newRow("default locales, ru_RU de_DE en_US first") << QStringList{"--test-dump-urls"} << QStringList{"de_DE", "en_US", "ru_RU", "es_ES", "fr_FR"} << QList<int>{} << "";
        QTest::newRow("chosen locale opened and logged") << QStringList{"--test-custom-locales", "fr_FR,xx_XX", "--test-open-urls", "--test-open-urls-delay", "500", "--test-log-urls", "LOG"} << QStringList{"fr_FR"} << QList<int>{10000, 10500, 11000} << "";
        QTest::newRow("default delay") << QStringList{"--test-open-urls", "--test-custom-locales", "ru_RU", "--test-log-urls", "LOG"} << QStringList{"ru_RU"} << QList<int>{10000, 11000, 12000} << "";
        QTest::newRow("malformed delay counts as 0") << QStringList{"--test-open-urls", "--test-custom-locales", "de_DE", "--test-open-urls-delay=soon", "--test-log-urls", "LOG"} << QStringList{"de_DE"} << QList<int>{10000, 10000, 10000} << "";
        QTest::newRow("log file cannot be opened") << QStringList{"--test-open-urls", "--test-custom-locales", "de_DE", "--test-log-urls", "/nonexistent/links.log"} << QStringList{"de_DE"} << QList<int>{10000, 11000, 12000} << "";
        QTest::newRow("no chosen locale installed") << QStringList{"--test-open-urls", "--test-custom-locales", "xx_XX"} << QStringList{} << QList<int>{} << "";
        QTest::newRow("a service throws") << QStringList{"--test-dump-urls", "--throw-in", "ru_RU"} << QStringList{"de_DE", "en_US"} << QList<int>{} << "error no customization for ru_RU";
        QTest::newRow("dump cannot be written") << QStringList{"--test-dump-urls", "BLOCKED"} << QStringList{} << QList<int>{} << "box Config test error\nCan't open file to dump: ";
    }
    void links() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, locales);
        QFETCH(QList<int>, opened);
        QFETCH(QString, error);
        const QString dump = Path("data/testing_probe/Probe-url-dump.csv");
        if (arguments.removeAll("BLOCKED")) {
            QVERIFY(QDir().mkpath(dump));
        }
        const Run run = Probe(arguments);
        QCOMPARE(run.Value("dump"), dump);
        QVERIFY2(run.out.contains(error), qPrintable(run.out));
        QCOMPARE(run.Value("locale"), QString("en_US"));  // restored
        QVERIFY2(!run.err.contains("QPlatformServices::openUrl"), qPrintable(run.err));  // none escaped

        QFile file(dump);
        QVERIFY(file.open(QIODevice::ReadOnly) || !error.isEmpty());
        QStringList dumped;
        QStringList addresses;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(';');
            QCOMPARE(fields.size(), 4);
            QVERIFY2(fields[2].contains('/' + fields[0] + '/') && fields[3].isEmpty(), qPrintable(line));
            if (!dumped.contains(fields[0])) {
                dumped << fields[0];
            }
            addresses << fields[2];
        }
        QCOMPARE(dumped, locales);

        QList<int> times;
        QStringList openedAddresses;
        auto opens = QRegularExpression("^open (\\d+) (.*)$", QRegularExpression::MultilineOption).globalMatch(run.out);
        while (opens.hasNext()) {
            const auto match = opens.next();
            times << match.captured(1).toInt();
            openedAddresses << match.captured(2);
        }
        QCOMPARE(times, opened);
        if (!opened.isEmpty()) {
            QCOMPARE(openedAddresses, addresses);
        }
        QFile log(Path("links.log"));
        if (arguments.contains("LOG")) {
            QVERIFY(log.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts), openedAddresses);
        }
    }
};

QUORVEL_TEST_MAIN(TestTestingHarness)
#include "tst_TestingHarness.moc"
