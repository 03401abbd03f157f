#include <Quorvel/Core/Version.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <stdexcept>

using Quorvel::Core::ParseVersion;
using Quorvel::Core::Version;

class VersionTest : public QObject {
    Q_OBJECT

private slots:
    // Text, then what it is written back as; "!" marks text that is refused.
    void parsesAndWrites_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("four parts") << "1.2.3.4" << QString("1.2.3.4");
        QTest::newRow("missing parts are zero") << "2" << QString("2.0.0.0");
        QTest::newRow("leading zeros") << "01.002.0003.4" << QString("1.2.3.4");
        QTest::newRow("largest int") << "2147483647.0.0.1" << QString("2147483647.0.0.1");
        QTest::newRow("empty") << "" << QString("!");
        QTest::newRow("five parts") << "1.2.3.4.5" << QString("!");
        QTest::newRow("empty part") << "1.2." << QString("!");
        QTest::newRow("not a digit") << "-1.2" << QString("!");
        QTest::newRow("overflow") << "2147483648" << QString("!");
    }
    void parsesAndWrites() {
        QFETCH(QString, text);
        QFETCH(QString, written);
        try {
            QCOMPARE(QString::fromStdString(ToString(ParseVersion(text.toStdString()))), written);
        } catch (const std::invalid_argument& e) {
            // The message names the text, so that a log line is enough to find the culprit.
            QVERIFY2(written == "!" && QString(e.what()).contains('"' + text + '"'), e.what());
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
