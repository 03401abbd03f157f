#include <Quorvel/Core/Version.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <stdexcept>

using Quorvel::Core::ParseVersion;
using Quorvel::Core::ToString;
using Quorvel::Core::Version;

Q_DECLARE_METATYPE(Version)

class VersionTest : public QObject {
    Q_OBJECT

private slots:
    void parsesGoodText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Version>("version");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("four parts") << "1.2.3.4" << Version{1, 2, 3, 4} << QString("1.2.3.4");
        QTest::newRow("one part") << "2" << Version{2, 0, 0, 0} << QString("2.0.0.0");
        QTest::newRow("leading zeros")
            << "01.002.0003.4" << Version{1, 2, 3, 4} << QString("1.2.3.4");
        QTest::newRow("largest int")
            << "2147483647.0.0.1" << Version{2147483647, 0, 0, 1} << QString("2147483647.0.0.1");
    }
    void parsesGoodText() {
        QFETCH(QString, text);
        QFETCH(Version, version);
        QFETCH(QString, formatted);
        QVERIFY(ParseVersion(text.toStdString()) == version);
        QCOMPARE(QString::fromStdString(ToString(version)), formatted);
    }

    void rejectsBadText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("five parts") << "1.2.3.4.5";
        QTest::newRow("trailing dot") << "1.2.";
        QTest::newRow("letters") << "1.2a";
        QTest::newRow("negative") << "-1.0";
        QTest::newRow("trailing blank") << "1.2 ";
        QTest::newRow("overflow") << "2147483648";
    }
    void rejectsBadText() {
        QFETCH(QString, text);
        try {
            ParseVersion(text.toStdString());
            QFAIL("no exception");
        } catch (const std::invalid_argument& e) {
            // The message names the text, so that a log line is enough to find the culprit.
            QVERIFY2(QString(e.what()).contains('"' + text + '"'), e.what());
        }
    }

    void compares_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("major") << "1.9.9.9" << QString("2.0.0.0");
        QTest::newRow("minor numerically") << "1.9" << QString("1.10");
        QTest::newRow("missing part is zero") << "1.2" << QString("1.2.0.1");
        QTest::newRow("patch before build") << "1.2.3.9" << QString("1.2.4.0");
    }
    void compares() {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        const Version a = ParseVersion(lower.toStdString()), b = ParseVersion(higher.toStdString());
        QVERIFY(a < b && !(b < a) && !(a < a) && a != b && !(a == b));
        QVERIFY(a == ParseVersion(lower.toStdString()) && !(a != a));
    }
};

QUORVEL_TEST_MAIN_NOAPP(VersionTest)
#include "tst_Version.moc"
