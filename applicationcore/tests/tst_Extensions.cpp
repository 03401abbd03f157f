#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using namespace Quorvel::App;

class ExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    // Every start records the program's folder, whatever was there; one installed under a
    // folder named in several scripts keeps every character.
    void registryUpdaterRecordsTheFolder() {
        QVERIFY_EXCEPTION_THROWN(ApplicationRegistryUpdater(nullptr), std::logic_error);
        QTemporaryDir dir;
        const QString installed = dir.filePath("Программы Données de l’été 程序");
        const QString program = installed + "/registry_updater_probe";
        QVERIFY(QDir().mkpath(installed));
        QVERIFY(
            QFile::copy(Quorvel::TestSupport::HelperProgram("registry_updater_probe"), program));
        ProductSettingsManager settings(dir.filePath("product.ini"));
        for (int start = 0; start < 2; ++start) {
            settings.SetString("Path", "stale");
            QCOMPARE(QProcess::execute(program, {dir.filePath("product.ini")}), 0);
            QCOMPARE(QString::fromStdString(
                         ProductSettingsManager(dir.filePath("product.ini")).GetString("Path", "")),
                     installed + QDir::separator());
        }
    }
};

QUORVEL_TEST_MAIN(ExtensionsTest)
#include "tst_Extensions.moc"
