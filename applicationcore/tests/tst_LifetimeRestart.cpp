#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// A real restart: the helper restarts itself through LifetimeManager::tryToRestart, and the
// relaunched instance records how it was started.
class TestLifetimeRestart : public QObject {
    Q_OBJECT

private slots:
    void relaunch_data() {
        QTest::addColumn<QString>("arguments");  // {record} stands for the record file
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("no arguments: exactly the quoted path") << "" << QStringList{};
        QTest::newRow("plain and spaced arguments")
            << "--record \"{record}\" plain \"with space\""
            << QStringList{"--record", "{record}", "plain", "with space"};
        QTest::newRow("UTF-8 arguments")
            << QString::fromUtf8("--record \"{record}\" naïve \"größe 2\"")
            << QStringList{"--record", "{record}", QString::fromUtf8("naïve"),
                           QString::fromUtf8("größe 2")};
    }

    void relaunch() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, expected);

        // A folder with a blank in its name: an unquoted path would be split apart.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("with blank"));
        const QString helper = dir.filePath("with blank/restart_child");
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/restart_child", helper));
        QVERIFY(
            QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString record = dir.filePath("record file.txt");
        arguments.replace("{record}", record);
        expected.replaceInStrings("{record}", record);

        QProcess first;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUORVEL_RESTART_RECORD", record);
        first.setProcessEnvironment(environment);
        first.start(helper, {"--restart", arguments});
        QVERIFY2(first.waitForStarted(60000), qPrintable(first.errorString()));
        const qint64 firstPid = first.processId();

        // The first instance ends its event loop and exits by itself.
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("restarted=1"));

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 60000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QVERIFY(lines.size() >= 2);
        const qint64 secondPid = lines.takeFirst().toLongLong();
        QVERIFY(secondPid > 0);
        QVERIFY(secondPid != firstPid);
        QCOMPARE(lines.takeFirst(), QFileInfo(helper).canonicalFilePath());
        QCOMPARE(lines, expected);
    }
};

QUORVEL_TEST_MAIN(TestLifetimeRestart)
#include "tst_LifetimeRestart.moc"
