#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/SslUsage.h>

#include <QSysInfo>

class BuildInfoTest : public QObject {
    Q_OBJECT
private slots:
    void visibleVersion_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all zero") << 0 << 0 << 0 << 0 << "0.0";
        QTest::newRow("major only") << 3 << 0 << 0 << 0 << "3.0";
        QTest::newRow("major and minor") << 2 << 1 << 0 << 0 << "2.1";
        QTest::newRow("with patch") << 2 << 1 << 4 << 0 << "2.1.4";
        QTest::newRow("with build, no patch") << 2 << 1 << 0 << 317 << "2.1 (317)";
        QTest::newRow("everything") << 2 << 1 << 4 << 317 << "2.1.4 (317)";
        QTest::newRow("several digits") << 10 << 20 << 30 << 40 << "10.20.30 (40)";
        QTest::newRow("largest numbers") << 2147483647 << 2147483647 << 2147483647 << 2147483647
                                         << "2147483647.2147483647.2147483647 (2147483647)";
    }
    void visibleVersion() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(int, build);
        QFETCH(QString, expected);
        Quorvel::Core::Version version;
        version.major = major;
        version.minor = minor;
        version.patch = patch;
        version.build = build;
        QCOMPARE(Quorvel::Util::GenerateApplicationVisibleVersion(version), expected);
    }

    void appBitsIsTheBuildsWordSize() {
        QCOMPARE(QString::fromStdString(Quorvel::Util::AppBits()),
                 QString::number(QSysInfo::WordSize));
    }

    // Nothing else in this process touches the preference, so the default is seen untouched.
    void sslIsPreferredUntilSwitchedOff() {
        QVERIFY(Quorvel::Util::GetDefaultSslUsage());
        Quorvel::Util::SetDefaultSslUsage(false);
        QVERIFY(!Quorvel::Util::GetDefaultSslUsage());
        Quorvel::Util::SetDefaultSslUsage(false);
        QVERIFY(!Quorvel::Util::GetDefaultSslUsage());
        Quorvel::Util::SetDefaultSslUsage(true);
        QVERIFY(Quorvel::Util::GetDefaultSslUsage());
    }
};

QUORVEL_TEST_MAIN(BuildInfoTest)
#include "tst_BuildInfo.moc"
