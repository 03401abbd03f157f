#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SHA1.h>

class SHA1Test : public QObject {
    Q_OBJECT

private slots:
    void knownVectors_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty") << QByteArray() << "da39a3ee5e6b4b0d3255bfef95601890afd80709";
        QTest::newRow("abc") << QByteArray("abc") << "a9993e364706816aba3e25717850c26c9cd0d89d";
        // The whole byte string counts, not just the part before a NUL.
        QTest::newRow("one NUL byte")
            << QByteArray(1, '\0') << "5ba93c9db0cff93f52b521d7420e43f6eda2784f";
    }
    void knownVectors() {
        QFETCH(QByteArray, input);
        QTEST(QString::fromStdString(Quorvel::Util::SHA1(input.toStdString())), "digest");
    }
};

QUORVEL_TEST_MAIN_NOAPP(SHA1Test)
#include "tst_SHA1.moc"
