#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <QtTest>

#include <memory>
#include <string>

using Quorvel::Util::AppMutexLocker;

namespace {

// Generous: only a safety net for a helper process that never answers.
constexpr int kProcessTimeoutMs = 30000;

// The mutex_holder helper: locks a name in its own process and keeps it until its stdin
// closes or it is killed.
class Holder {
public:
    explicit Holder(const QString& name, const QProcessEnvironment& environment =
                                             QProcessEnvironment::systemEnvironment()) {
        m_process.setProgram(QCoreApplication::applicationDirPath() + "/mutex_holder");
        m_process.setArguments({name});
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~Holder() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kProcessTimeoutMs);
        }
    }

    // "locked", "busy", or what went wrong.
    QString Answer() {
        if (!m_process.waitForStarted(kProcessTimeoutMs)) {
            return "not started: " + m_process.errorString();
        }
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(kProcessTimeoutMs)) {
                return "no answer";
            }
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    // Lets the helper end normally.
    bool Finish() {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(kProcessTimeoutMs) &&
               m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    bool Kill() {
        m_process.kill();
        return m_process.waitForFinished(kProcessTimeoutMs) &&
               m_process.exitStatus() == QProcess::CrashExit;
    }

private:
    QProcess m_process;
};

// A name no earlier test of this run used.
QString FreshName(const char* tag) {
    static int counter = 0;
    return QStringLiteral("{quorvel-test-%1-%2-%3}")
        .arg(QString::fromLatin1(tag))
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

class AppMutexLockerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Only the core application: QProcess and the program's directory are all we need.
        static int argc = 1;
        static char name[] = "foundation_AppMutexLocker_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
        // The test environment gives every test process its own runtime directory.
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"));
        QVERIFY(QFileInfo::exists(QCoreApplication::applicationDirPath() + "/mutex_holder"));
    }

    void excludesWithinProcess_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("marker name") << QByteArray("{7D3598FD-C06F-4B00-8130-67BEA8671931}");
        QTest::newRow("installer name") << QByteArray("{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}");
        QTest::newRow("path characters") << QByteArray("Global\\a/b/../c");
        QTest::newRow("blanks and UTF-8") << QByteArray("Mein Programm \xC3\xA9\xE6\x9A\x97");
        QTest::newRow("very long") << QByteArray(1000, 'x');
        QTest::newRow("dots only") << QByteArray("..");
    }
    void excludesWithinProcess() {
        QFETCH(QByteArray, name);
        auto first = std::make_unique<AppMutexLocker>(name.toStdString());
        AppMutexLocker second(name.toStdString());
        QVERIFY(first->TryLockAppMutex());
        QVERIFY(first->TryLockAppMutex());  // holding already
        QVERIFY(!second.TryLockAppMutex());
        QVERIFY(!second.TryLockAppMutex());
        first.reset();
        QVERIFY(second.TryLockAppMutex());
        AppMutexLocker third(name.toStdString());
        QVERIFY(!third.TryLockAppMutex());
    }

    void distinctNamesAreIndependent_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::newRow("slash vs its escape") << QByteArray("a/b") << QByteArray("a%2Fb");
        QTest::newRow("slash vs backslash") << QByteArray("a/b") << QByteArray("a\\b");
        QTest::newRow("blank vs underscore") << QByteArray("a b") << QByteArray("a_b");
        QTest::newRow("case") << QByteArray("Name") << QByteArray("name");
        QTest::newRow("long names differing at the end")
            << QByteArray(1000, 'y') + "1" << QByteArray(1000, 'y') + "2";
        QTest::newRow("long names differing in an escaped byte")
            << QByteArray(300, 'z') + "/" << QByteArray(300, 'z') + "\\";
    }
    void distinctNamesAreIndependent() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        AppMutexLocker first(a.toStdString());
        AppMutexLocker second(b.toStdString());
        QVERIFY(first.TryLockAppMutex());
        QVERIFY(second.TryLockAppMutex());
    }

    void otherProcessHoldsUntilItExits() {
        const QString name = FreshName("exit");
        Holder holder(name);
        QCOMPARE(holder.Answer(), QStringLiteral("locked"));
        AppMutexLocker locker(name.toStdString());
        QVERIFY(!locker.TryLockAppMutex());
        QVERIFY(holder.Finish());
        QVERIFY(locker.TryLockAppMutex());
    }

    void killedHolderLeavesNoStaleLock() {
        const QString name = FreshName("kill");
        Holder holder(name);
        QCOMPARE(holder.Answer(), QStringLiteral("locked"));
        AppMutexLocker locker(name.toStdString());
        QVERIFY(!locker.TryLockAppMutex());
        QVERIFY(holder.Kill());
        QVERIFY(locker.TryLockAppMutex());
    }

    void otherProcessIsRefusedWhileWeHold() {
        const QString name = FreshName("busy");
        AppMutexLocker locker(name.toStdString());
        QVERIFY(locker.TryLockAppMutex());
        Holder holder(name);
        QCOMPARE(holder.Answer(), QStringLiteral("busy"));
        QVERIFY(holder.Finish());
    }

    void childProcessesDoNotInheritTheLock() {
        const QString name = FreshName("inherit");
        auto locker = std::make_unique<AppMutexLocker>(name.toStdString());
        QVERIFY(locker->TryLockAppMutex());
        // Started while we hold the lock; it keeps running after we let go.
        Holder unrelated(FreshName("unrelated"));
        QCOMPARE(unrelated.Answer(), QStringLiteral("locked"));
        locker.reset();
        AppMutexLocker again(name.toStdString());
        QVERIFY(again.TryLockAppMutex());
        QVERIFY(unrelated.Finish());
    }

    void lockFilesLiveInTheRuntimeDirectory() {
        const QString name = FreshName("runtime");
        const QString ownDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
        AppMutexLocker locker(name.toStdString());
        QVERIFY(locker.TryLockAppMutex());
        QVERIFY2(FilesIn(ownDir).filter(name).size() == 1, qPrintable(FilesIn(ownDir).join(",")));

        // Another runtime directory is another session: the same name is free there.
        QTemporaryDir otherDir;
        QVERIFY(otherDir.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", otherDir.path());
        Holder holder(name, environment);
        QCOMPARE(holder.Answer(), QStringLiteral("locked"));
        QCOMPARE(FilesIn(otherDir.path()).filter(name).size(), 1);
        QVERIFY(holder.Finish());
    }

    void fallsBackToTheTempDirectory() {
        const QString name = FreshName("temp");
        QTemporaryDir tempDir;
        QVERIFY(tempDir.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("XDG_RUNTIME_DIR");
        environment.insert("TMPDIR", tempDir.path());

        Holder first(name, environment);
        QCOMPARE(first.Answer(), QStringLiteral("locked"));
        QCOMPARE(FilesIn(tempDir.path()).filter(name).size(), 1);
        Holder second(name, environment);
        QCOMPARE(second.Answer(), QStringLiteral("busy"));
        QVERIFY(first.Finish());
        QVERIFY(second.Finish());
        Holder third(name, environment);
        QCOMPARE(third.Answer(), QStringLiteral("locked"));
    }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

QUORVEL_TEST_MAIN_NOAPP(AppMutexLockerTest)
#include "tst_AppMutexLocker.moc"
