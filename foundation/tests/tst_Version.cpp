#include <Quorvel/Core/Version.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <stdexcept>

using Quorvel::Core::ParseVersion;
using Quorvel::Core::ToString;
using Quorvel::Core::Version;

class VersionTest : public QObject {
    Q_OBJECT

private slots:
    void parsesGoodText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("formatted");

        QTest::newRow("four parts") << "1.2.3.4" << 1 << 2 << 3 << 4 << "1.2.3.4";
        QTest::newRow("one part") << "2" << 2 << 0 << 0 << 0 << "2.0.0.0";
        QTest::newRow("two parts") << "2.1" << 2 << 1 << 0 << 0 << "2.1.0.0";
        QTest::newRow("three parts") << "10.20.30" << 10 << 20 << 30 << 0 << "10.20.30.0";
        QTest::newRow("zeros") << "0.0.0.0" << 0 << 0 << 0 << 0 << "0.0.0.0";
        QTest::newRow("leading zeros") << "01.002.0003.4" << 1 << 2 << 3 << 4 << "1.2.3.4";
        QTest::newRow("build number") << "2.1.0.317" << 2 << 1 << 0 << 317 << "2.1.0.317";
        QTest::newRow("largest int")
            << "2147483647.0.0.1" << 2147483647 << 0 << 0 << 1 << "2147483647.0.0.1";
    }
    void parsesGoodText() {
        QFETCH(QString, text);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(int, build);
        QFETCH(QString, formatted);

        const Version version = ParseVersion(text.toStdString());
        QCOMPARE(version.major, major);
        QCOMPARE(version.minor, minor);
        QCOMPARE(version.patch, patch);
        QCOMPARE(version.build, build);
        QCOMPARE(QString::fromStdString(ToString(version)), formatted);
        QVERIFY(ParseVersion(ToString(version)) == version);
    }

    void rejectsBadText_data() {
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << "";
        QTest::newRow("five parts") << "1.2.3.4.5";
        QTest::newRow("trailing dot") << "1.2.";
        QTest::newRow("leading dot") << ".1";
        QTest::newRow("double dot") << "1..2";
        QTest::newRow("letters") << "1.2a";
        QTest::newRow("word") << "latest";
        QTest::newRow("negative") << "-1.0";
        QTest::newRow("plus sign") << "+1";
        QTest::newRow("leading blank") << " 1.2";
        QTest::newRow("trailing blank") << "1.2 ";
        QTest::newRow("overflow") << "2147483648";
        QTest::newRow("huge") << "99999999999999999999.1";
        QTest::newRow("comma") << "1,2";
        QTest::newRow("four parts then dot") << "1.2.3.4.";
    }
    void rejectsBadText() {
        QFETCH(QString, text);
        try {
            ParseVersion(text.toStdString());
            QFAIL("no exception");
        } catch (const std::invalid_argument& e) {
            // The message names the text so that a log line is enough to find the culprit.
            QVERIFY2(
                std::string(e.what()).find("\"" + text.toStdString() + "\"") != std::string::npos,
                e.what());
        }
    }

    void compares_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");

        QTest::newRow("major") << "1.9.9.9"
                               << "2.0.0.0";
        QTest::newRow("minor numerically") << "1.9"
                                           << "1.10";
        QTest::newRow("patch") << "1.2.3"
                               << "1.2.4";
        QTest::newRow("build") << "1.2.3.4"
                               << "1.2.3.5";
        QTest::newRow("missing part is zero") << "1.2"
                                              << "1.2.0.1";
    }
    void compares() {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        const Version a = ParseVersion(lower.toStdString());
        const Version b = ParseVersion(higher.toStdString());
        QVERIFY(a < b);
        QVERIFY(!(b < a));
        QVERIFY(a != b);
        QVERIFY(!(a == b));
        QVERIFY(a == ParseVersion(lower.toStdString()));
        QVERIFY(!(a < a));
    }
};

QUORVEL_TEST_MAIN_NOAPP(VersionTest)
#include "tst_Version.moc"
