#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using Quorvel::Util::AppMutexLocker;

namespace {

// mutex_holder locks a name in its own process, answers "locked", "busy" or "unavailable",
// and holds the name until its stdin closes. Waits are only a safety net against a hang.
struct Holder : QProcess {
    explicit Holder(const QString& name,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        setProcessEnvironment(env);
        start(Quorvel::TestSupport::HelperProgram("mutex_holder"), {name});
    }
    ~Holder() override {
        kill();
        waitForFinished(30000);
    }
    QString Answer() {
        while (!canReadLine() && waitForReadyRead(30000)) {
        }
        return QString(readLine()).trimmed();
    }
};

// Lock files live in this process's private runtime directory, so names need only differ
// within the run.
QString FreshName() {
    static int counter = 0;
    return QStringLiteral("{quorvel-test-%1}").arg(++counter);
}

// An environment without a runtime folder, whose temp folder is `temp`.
QProcessEnvironment WithoutRuntimeFolder(const QString& temp) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", temp);
    return env;
}

}  // namespace

class AppMutexLockerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        static int argc = 1;
        static char arg0[] = "test", *argv[] = {arg0, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);  // QProcess needs one
    }

    // `other` is a name that an encoding of names into file names could confuse with `name`.
    void excludesByName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("other");
        const QByteArray guid = "{7D3598FD-C06F-4B00-8130-67BEA8671931}";
        QTest::newRow("braces; case") << guid << guid.toLower();
        QTest::newRow("slash vs its escape") << QByteArray("a/b") << QByteArray("a%2Fb");
        QTest::newRow("path characters")
            << QByteArray("Global\\a/../c") << QByteArray("Global/a/../c");
        QTest::newRow("too long for a file name, differing at the end")
            << QByteArray(1000, 'y') + "1" << QByteArray(1000, 'y') + "2";
    }
    void excludesByName() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, other);
        auto first = std::make_unique<AppMutexLocker>(name.toStdString());
        AppMutexLocker second(name.toStdString()), independent(other.toStdString());
        QVERIFY(first->TryLockAppMutex());
        QVERIFY(first->TryLockAppMutex());  // already held
        QVERIFY(!second.TryLockAppMutex());
        QVERIFY(independent.TryLockAppMutex());
        first.reset();
        QVERIFY(second.TryLockAppMutex());
    }

    // A killed holder leaves no stale lock; a refused child, started while we hold the name,
    // must not keep it.
    void otherProcessHoldsUntilItEnds() {
        const QString name = FreshName();
        auto killed = std::make_unique<Holder>(name);
        QCOMPARE(killed->Answer(), QString("locked"));
        auto locker = std::make_unique<AppMutexLocker>(name.toStdString());
        QVERIFY(!locker->TryLockAppMutex());
        killed.reset();
        QVERIFY(locker->TryLockAppMutex());
        Holder refused(name);
        QCOMPARE(refused.Answer(), QString("busy"));
        locker.reset();
        QVERIFY(AppMutexLocker(name.toStdString()).TryLockAppMutex());
        refused.closeWriteChannel();
        QVERIFY(refused.waitForFinished(30000) && refused.exitStatus() == QProcess::NormalExit);
    }

    // Without a runtime folder the lock goes to a private folder of this user's own.
    void lockFileDirectory_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("folder");
        QTest::newRow("runtime directory") << "XDG_RUNTIME_DIR"
                                           << "";
        QTest::newRow("temp directory without one") << "TMPDIR"
                                                    << "/quorvel-" + QString::number(::geteuid());
    }
    void lockFileDirectory() {
        QFETCH(QString, variable);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QProcessEnvironment env = WithoutRuntimeFolder(QDir::tempPath());
        env.insert(variable, dir.path());
        const QString name = FreshName();
        Holder first(name, env);
        QCOMPARE(first.Answer(), QStringLiteral("locked"));
        QCOMPARE(QDir(dir.path() + folder).entryList(QDir::Files).filter(name).size(), 1);
        QCOMPARE(QFileInfo(dir.path() + folder).permissions() & 0x0077, QFile::Permissions());
        // Our own runtime directory is another session's: the name is free here.
        QVERIFY(AppMutexLocker(name.toStdString()).TryLockAppMutex());
    }

    // What stands where the lock file or its private folder goes is refused, never followed,
    // and the locker says that the lock cannot be made rather than that someone holds it.
    void refusesWhatIsNotItsOwn_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("link to a file") << "link-file";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("temp folder is a link") << "temp-link";
        QTest::newRow("temp folder open to others") << "temp-open";
    }
    void refusesWhatIsNotItsOwn() {
        QFETCH(QString, obstacle);
        QTemporaryDir dir;
        const QString name = FreshName(), target = dir.filePath("target");
        if (obstacle.startsWith("temp")) {
            const QString folder = dir.filePath("quorvel-" + QString::number(::geteuid()));
            QVERIFY(QDir().mkpath(target) && ::chmod(QFile::encodeName(target), 0700) == 0);
            QVERIFY(obstacle == "temp-link"
                        ? QFile::link(target, folder)
                        : QDir().mkpath(folder) && ::chmod(QFile::encodeName(folder), 0777) == 0);
            Holder holder(name, WithoutRuntimeFolder(dir.path()));
            QCOMPARE(holder.Answer(), QStringLiteral("unavailable"));
            QVERIFY(QDir(target).isEmpty());
            return;
        }
        const QString lock =
            qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quorvel-mutex-" + name + ".lock";
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep") == 4 && file.flush());
        QVERIFY(obstacle == "fifo" ? ::mkfifo(QFile::encodeName(lock), 0600) == 0
                                   : QFile::link(target, lock));
        Quorvel::TestSupport::LogCapture log;
        AppMutexLocker locker(name.toStdString());
        QVERIFY(!locker.TryLockAppMutex() && locker.IsUnavailable() && !locker.TryLockAppMutex());
        QCOMPARE(log.Count(lock.toStdString()), 1);
        QCOMPARE(QFileInfo(target).size(), qint64(4));
    }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

QUORVEL_TEST_MAIN_NOAPP(AppMutexLockerTest)
#include "tst_AppMutexLocker.moc"
