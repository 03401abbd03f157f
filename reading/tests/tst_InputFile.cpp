#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <sys/stat.h>

using Quorvel::Reading::InputFile;
using Status = InputFile::Status;
Q_DECLARE_METATYPE(Status)

// Only a regular file within its limit is read; nothing else is waited on or read at all.
class InputFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(Quorvel::TestSupport::WriteFile(m_dir.filePath("ten"), "0123456789"));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath("fifo")), 0600) == 0);
        QVERIFY(QFile::link("/dev/zero", m_dir.filePath("zero")));
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
    }

    void readsOnlyRegularFilesWithinTheLimit_data() {
        QTest::addColumn<QString>("name");  // in the test's folder, or a resource path
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("problem");  // part of it
        QTest::newRow("regular, at the limit") << "ten" << qint64(10) << Status::Read << "";
        QTest::newRow("one byte too large") << "ten" << qint64(9) << Status::Refused << "10 bytes";
        QTest::newRow("missing") << "none" << qint64(10) << Status::Missing << "does not exist";
        QTest::newRow("FIFO without a writer") << "fifo" << qint64(10) << Status::Refused << "FIFO";
        QTest::newRow("link to a device") << "zero" << qint64(10) << Status::Refused << "device";
        QTest::newRow("folder") << "folder" << qint64(10) << Status::Refused << "folder";
        QTest::newRow("missing resource") << ":/none" << qint64(10) << Status::Missing << "";
    }
    void readsOnlyRegularFilesWithinTheLimit() {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(Status, status);
        QFETCH(QString, problem);
        const QString path = name.startsWith(':') ? name : m_dir.filePath(name);
        const InputFile read = InputFile::Read(path, limit);
        const InputFile checked = InputFile::Check(path, limit);
        QVERIFY(read.status() == status && checked.status() == status);
        QCOMPARE(read.Bytes() + checked.Bytes(),
                 QByteArray(status == Status::Read ? "0123456789" : ""));
        QVERIFY(read.Problem().contains(problem));
        QVERIFY(read.Describe().startsWith(QDir::toNativeSeparators(path)));
    }
};

QUORVEL_TEST_MAIN(InputFileTest)
#include "tst_InputFile.moc"
