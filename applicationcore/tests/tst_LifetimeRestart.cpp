#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// A real restart: the helper restarts itself through LifetimeManager::tryToRestart, and the
// relaunched instance writes down how it was started.
class TestLifetimeRestart : public QObject {
    Q_OBJECT

private slots:
    void relaunch_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no arguments: exactly the quoted path") << "" << QStringList{};
        QTest::newRow("quoted, spaced and UTF-8 arguments")
            << QString::fromUtf8("plain \"with space\" naïve \"größe 2\"")
            << QStringList{"plain", "with space", QString::fromUtf8("naïve"),
                           QString::fromUtf8("größe 2")};
    }

    void relaunch() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, expected);

        // A blank in the folder name: an unquoted path would be split apart.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("with blank"));
        const QString helper = dir.filePath("with blank/restart_child");
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/restart_child", helper));
        const QString record = dir.filePath("record");

        QProcess first;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUORVEL_RESTART_RECORD", record);
        first.setProcessEnvironment(environment);
        first.start(helper, {"--restart", arguments});
        QVERIFY2(first.waitForStarted(60000), qPrintable(first.errorString()));
        const qint64 firstPid = first.processId();
        // The first instance ends its event loop and exits by itself.
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("restarted=1"));

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 60000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        const qint64 secondPid = lines.takeFirst().toLongLong();
        QVERIFY(secondPid > 0 && secondPid != firstPid);
        QCOMPARE(lines.takeFirst(), QFileInfo(helper).canonicalFilePath());
        QCOMPARE(lines, expected);
    }
};

QUORVEL_TEST_MAIN(TestLifetimeRestart)
#include "tst_LifetimeRestart.moc"
