#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/SslUsage.h>

class BuildInfoTest : public QObject {
    Q_OBJECT
private slots:
    void visibleVersion_data() {
        QTest::addColumn<QVector<int>>("parts");
        QTest::addColumn<QString>("expected");
        QTest::newRow("major only") << QVector<int>{3, 0, 0, 0} << "3.0";
        QTest::newRow("with build, no patch") << QVector<int>{2, 1, 0, 317} << "2.1 (317)";
        QTest::newRow("everything") << QVector<int>{10, 20, 30, 40} << "10.20.30 (40)";
    }
    void visibleVersion() {
        QFETCH(QVector<int>, parts);
        const Quorvel::Core::Version version{parts[0], parts[1], parts[2], parts[3]};
        QTEST(Quorvel::Util::GenerateApplicationVisibleVersion(version), "expected");
    }

    // The build's word size; SSL preferred until switched off (nothing else in this process
    // touches the preference, so the default is seen untouched).
    void bitsAndSsl() {
        QCOMPARE(Quorvel::Util::AppBits(), std::to_string(QSysInfo::WordSize));
        QVERIFY(Quorvel::Util::GetDefaultSslUsage());
        Quorvel::Util::SetDefaultSslUsage(false);
        QVERIFY(!Quorvel::Util::GetDefaultSslUsage());
    }
};

QUORVEL_TEST_MAIN(BuildInfoTest)
#include "tst_BuildInfo.moc"
