#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using Quorvel::Util::AppMutexLocker;

namespace {

// mutex_holder locks a name in its own process, answers "locked", "busy" or "unavailable",
// and holds the name until its stdin closes. Waits are only a safety net against a hang.
struct Holder : QProcess {
    explicit Holder(const QString& name) {
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

}  // namespace

class AppMutexLockerTest : public QObject {
    Q_OBJECT

private slots:
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

    // The lock file goes to the runtime folder, else to a private folder of this user's own
    // in the temp folder. What stands there and is not its own is refused, never followed,
    // named in the log, and the locker says that the lock cannot be made rather than that
    // someone holds it.
    void lockFilePlace_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("runtime folder") << "runtime";
        QTest::newRow("temp folder without one") << "temp";
        QTest::newRow("link to a file") << "link";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("temp folder is a link") << "temp-link";
        QTest::newRow("temp folder open to others") << "temp-open";
    }
    void lockFilePlace() {
        QFETCH(QString, setup);
        QTemporaryDir dir, target;
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), temp = qgetenv("TMPDIR");
        const bool inTemp = setup.startsWith("temp");
        const QString folder =
            inTemp ? dir.filePath("quorvel-" + QString::number(::geteuid())) : dir.path();
        const QString name = FreshName(), lock = folder + "/quorvel-mutex-" + name + ".lock";
        QFile kept(target.filePath("kept"));
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("keep") == 4 && kept.flush());
        QVERIFY(setup != "link" || QFile::link(kept.fileName(), lock));
        QVERIFY(setup != "fifo" || ::mkfifo(QFile::encodeName(lock), 0600) == 0);
        QVERIFY(setup != "temp-link" || QFile::link(target.path(), folder));
        QVERIFY(setup != "temp-open" ||
                (QDir().mkdir(folder) && ::chmod(QFile::encodeName(folder), 0777) == 0));
        qputenv("XDG_RUNTIME_DIR", inTemp ? QByteArray() : QFile::encodeName(dir.path()));
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        Quorvel::TestSupport::LogCapture log;
        AppMutexLocker locker(name.toStdString());
        const bool locked = locker.TryLockAppMutex();
        qputenv("XDG_RUNTIME_DIR", runtime);
        temp.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temp);
        QCOMPARE(locked, setup == "runtime" || setup == "temp");
        QCOMPARE(locker.IsUnavailable(), !locked);
        QCOMPARE(log.Count(QFile::encodeName(folder).toStdString()), locked ? 0 : 1);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System).filter(name).size(),
                 locked || !inTemp ? 1 : 0);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{"kept"});
        QCOMPARE(kept.size(), qint64(4));
        QVERIFY(!locked || (QFileInfo(folder).permissions() & 0x0077) == 0);
        // Another session's runtime folder: the name is free in ours.
        QVERIFY(!locked || AppMutexLocker(name.toStdString()).TryLockAppMutex());
    }
};

QUORVEL_TEST_MAIN_CORE(AppMutexLockerTest)
#include "tst_AppMutexLocker.moc"
