#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace Quorvel::App;

class ExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    void registryUpdaterRecordsTheFolder() {
        QVERIFY_EXCEPTION_THROWN(ApplicationRegistryUpdater(nullptr), std::logic_error);
        QTemporaryDir dir;
        auto settings = std::make_shared<ProductSettingsManager>(dir.filePath("product.ini"));
        settings->SetString("Path", "stale");
        ApplicationRegistryUpdater updater(settings);
        QCOMPARE(QString::fromStdString(settings->GetString("Path", "")), QString("stale"));

        for (int start = 0; start < 2; ++start) {  // every start writes, whatever was there
            updater.onStart();
            QCOMPARE(QString::fromStdString(settings->GetString("Path", "")),
                     QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) +
                         QDir::separator());
            settings->SetString("Path", "stale");
        }
    }

    // A product installed under a folder named in several scripts keeps every character.
    void registryUpdaterKeepsNonAsciiFolders() {
        const QString folder = QString::fromUtf8("Программы Données de l’été 程序");
        QTemporaryDir dir;
        const QString installed = dir.filePath(folder);
        QVERIFY(QDir().mkpath(installed));
        const QString program = installed + "/registry_updater_probe";
        QVERIFY(
            QFile::copy(Quorvel::TestSupport::HelperProgram("registry_updater_probe"), program));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));

        QProcess probe;
        probe.start(program, {dir.filePath("product.ini")});
        QVERIFY(probe.waitForFinished(20000));
        QCOMPARE(probe.exitCode(), 0);

        ProductSettingsManager settings(dir.filePath("product.ini"));
        QCOMPARE(QString::fromUtf8(settings.GetString("Path", "").c_str()),
                 installed + QDir::separator());
    }
};

QUORVEL_TEST_MAIN(ExtensionsTest)
#include "tst_Extensions.moc"
