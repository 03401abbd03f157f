#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QTemporaryDir>

using Quorvel::App::InstallerSettingsManager;
using Quorvel::App::LaunchType;
using Quorvel::App::LaunchTypeProcessor;

Q_DECLARE_METATYPE(LaunchType)

class LaunchTypeProcessorTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_files = 0;

    std::shared_ptr<InstallerSettingsManager> NewInstallerSettings() {
        return std::make_shared<InstallerSettingsManager>(
            m_dir.filePath(QString("installer%1.ini").arg(++m_files)));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void decidesFromArgumentsAndInstallerRecord_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("record");  // null: the installer recorded nothing
        QTest::addColumn<LaunchType>("expected");
        QTest::addColumn<bool>("recordKept");
        QTest::addColumn<int>("warnings");
        const QString program = "/opt/quorvel/demo";
        QTest::newRow("nothing recorded")
            << QStringList{program} << QString() << LaunchType::Regular << false << 0;
        QTest::newRow("install") << QStringList{program} << "install" << LaunchType::AfterInstall
                                 << false << 0;
        QTest::newRow("reinstall")
            << QStringList{program} << "reinstall" << LaunchType::AfterReinstall << false << 0;
        QTest::newRow("update") << QStringList{program} << "update" << LaunchType::AfterUpdate
                                << false << 0;
        QTest::newRow("any case and spaces")
            << QStringList{program} << " Install " << LaunchType::AfterInstall << false << 0;
        QTest::newRow("unknown record")
            << QStringList{program} << "installed" << LaunchType::Regular << false << 1;
        QTest::newRow("empty record")
            << QStringList{program} << "" << LaunchType::Regular << false << 1;
        QTest::newRow("background keeps the record")
            << QStringList{program, "--background"} << "install" << LaunchType::Background << true
            << 0;
        QTest::newRow("background alone") << QStringList{program, "--lang", "de_DE", "--background"}
                                          << QString() << LaunchType::Background << false << 0;
        QTest::newRow("only the exact option")
            << QStringList{program, "--backgrounds", "-background"} << "update"
            << LaunchType::AfterUpdate << false << 0;
    }
    void decidesFromArgumentsAndInstallerRecord() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, record);
        QFETCH(LaunchType, expected);
        QFETCH(bool, recordKept);
        QFETCH(int, warnings);
        const auto installer = NewInstallerSettings();
        installer->SetString("InstallerName", "QuorvelDemoSetupC1a2b.exe");
        if (!record.isNull()) {
            installer->SetString(LaunchTypeProcessor::RecordKey, record.toStdString());
        }

        Quorvel::TestSupport::LogCapture log;
        const LaunchTypeProcessor processor(installer, arguments);
        QCOMPARE(processor.GetLaunchType(), expected);
        QCOMPARE(installer->Contains("LaunchType"), recordKept);
        QCOMPARE(int(log.Messages(google::GLOG_WARNING).size()), warnings);
        // Other installer values are not the processor's to touch.
        QCOMPARE(installer->GetString("InstallerName", ""),
                 std::string("QuorvelDemoSetupC1a2b.exe"));
    }

    // The record is gone from the file too: the start after an installation is the only one
    // that counts as such, even across processes.
    void nextStartIsRegular() {
        const QString file = m_dir.filePath("installer-next.ini");
        {
            InstallerSettingsManager installer(file);
            installer.SetString("LaunchType", "install");
        }
        {
            const LaunchTypeProcessor first(std::make_shared<InstallerSettingsManager>(file),
                                            QStringList{"demo"});
            QCOMPARE(first.GetLaunchType(), LaunchType::AfterInstall);
        }
        const LaunchTypeProcessor second(std::make_shared<InstallerSettingsManager>(file),
                                         QStringList{"demo"});
        QCOMPARE(second.GetLaunchType(), LaunchType::Regular);
    }

    void withoutInstallerSettingsOnlyArgumentsCount() {
        QCOMPARE(LaunchTypeProcessor(nullptr, {"demo"}).GetLaunchType(), LaunchType::Regular);
        QCOMPARE(LaunchTypeProcessor(nullptr, {"demo", "--background"}).GetLaunchType(),
                 LaunchType::Background);
    }

    void readsTheRunningApplicationsArguments() {
        // The test runner's own command line carries no "--background".
        const auto installer = NewInstallerSettings();
        installer->SetString("LaunchType", "reinstall");
        QCOMPARE(LaunchTypeProcessor(installer).GetLaunchType(), LaunchType::AfterReinstall);
    }
};

QUORVEL_TEST_MAIN(LaunchTypeProcessorTest)
#include "tst_LaunchTypeProcessor.moc"
