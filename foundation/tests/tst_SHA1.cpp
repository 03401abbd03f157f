#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SHA1.h>

#include <QtTest>

#include <string>

class SHA1Test : public QObject {
    Q_OBJECT

private slots:
    void knownVectors_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("digest");

        QTest::newRow("empty") << QByteArray() << "da39a3ee5e6b4b0d3255bfef95601890afd80709";
        QTest::newRow("abc") << QByteArray("abc") << "a9993e364706816aba3e25717850c26c9cd0d89d";
        QTest::newRow("two blocks")
            << QByteArray("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")
            << "84983e441c3bd26ebaae4aa1f95129e5e54670f1";
        QTest::newRow("fox") << QByteArray("The quick brown fox jumps over the lazy dog")
                             << "2fd4e1c67a2d28fced849ee1bb76e7391b93eb12";
        QTest::newRow("one NUL byte")
            << QByteArray(1, '\0') << "5ba93c9db0cff93f52b521d7420e43f6eda2784f";
        QTest::newRow("million a")
            << QByteArray(1000000, 'a') << "34aa973cd4c4daa4f61eeb2bdbad27316534016f";
    }
    void knownVectors() {
        QFETCH(QByteArray, input);
        QFETCH(QString, digest);
        const std::string bytes(input.constData(), static_cast<size_t>(input.size()));
        QCOMPARE(QString::fromStdString(Quorvel::Util::SHA1(bytes)), digest);
    }

    void embeddedNulCounts() {
        // The whole byte string is hashed, not just the part before a NUL.
        const std::string withNul("ab\0cd", 5);
        QVERIFY(Quorvel::Util::SHA1(withNul) != Quorvel::Util::SHA1("ab"));
        QCOMPARE(Quorvel::Util::SHA1(withNul).size(), size_t{40});
    }
};

QUORVEL_TEST_MAIN_NOAPP(SHA1Test)
#include "tst_SHA1.moc"
