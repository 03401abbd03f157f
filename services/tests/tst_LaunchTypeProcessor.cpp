#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using Quorvel::App::InstallerSettingsManager;
using Quorvel::App::LaunchType;
using Quorvel::App::LaunchTypeProcessor;

Q_DECLARE_METATYPE(LaunchType)

class LaunchTypeProcessorTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString NewFile() { return m_dir.filePath(QString("installer%1.ini").arg(++m_files)); }

private slots:
    void decidesFromArgumentsAndInstallerRecord_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("record");  // null: the installer recorded nothing
        QTest::addColumn<LaunchType>("expected");
        QTest::addColumn<int>("warnings");
        const QStringList plain{"/opt/quorvel/demo"};
        QTest::newRow("nothing recorded") << plain << QString() << LaunchType::Regular << 0;
        QTest::newRow("any case and spaces")
            << plain << " Install " << LaunchType::AfterInstall << 0;
        QTest::newRow("unknown record") << plain << "installed" << LaunchType::Regular << 1;
        QTest::newRow("background keeps the record")
            << QStringList{"demo", "--lang", "de_DE", "--background"} << "install"
            << LaunchType::Background << 0;
        QTest::newRow("only the exact option")
            << QStringList{"demo", "--backgrounds", "-background"} << "update"
            << LaunchType::AfterUpdate << 0;
    }
    void decidesFromArgumentsAndInstallerRecord() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, record);
        QFETCH(LaunchType, expected);
        const QString file = NewFile();
        auto installer = std::make_shared<InstallerSettingsManager>(file);
        installer->SetString("InstallerName", "QuorvelDemoSetupC1a2b.exe");
        if (!record.isNull()) {
            installer->SetString(LaunchTypeProcessor::RecordKey, record.toStdString());
        }
        Quorvel::TestSupport::LogCapture log;
        QCOMPARE(LaunchTypeProcessor(installer, arguments).GetLaunchType(), expected);
        QTEST(int(log.Messages(google::GLOG_WARNING).size()), "warnings");

        // The record is gone from the file too, so that only one start counts as after an
        // installation; other installer values are not the processor's to touch.
        installer = std::make_shared<InstallerSettingsManager>(file);
        const bool recordKept = expected == LaunchType::Background && !record.isNull();
        QCOMPARE(installer->Contains("LaunchType"), recordKept);
        QCOMPARE(installer->GetString("InstallerName", ""),
                 std::string("QuorvelDemoSetupC1a2b.exe"));
        const LaunchType next = recordKept ? expected : LaunchType::Regular;
        QCOMPARE(LaunchTypeProcessor(installer, arguments).GetLaunchType(), next);
    }

    // Without installer settings only the arguments count; by default they are the running
    // application's, and the test runner's own carry no "--background".
    void defaultsAndMissingInstallerSettings() {
        QCOMPARE(LaunchTypeProcessor(nullptr, {"demo"}).GetLaunchType(), LaunchType::Regular);
        QCOMPARE(LaunchTypeProcessor(nullptr, {"demo", "--background"}).GetLaunchType(),
                 LaunchType::Background);
        const auto installer = std::make_shared<InstallerSettingsManager>(NewFile());
        installer->SetString("LaunchType", "reinstall");
        QCOMPARE(LaunchTypeProcessor(installer).GetLaunchType(), LaunchType::AfterReinstall);
    }
};

QUORVEL_TEST_MAIN(LaunchTypeProcessorTest)
#include "tst_LaunchTypeProcessor.moc"
