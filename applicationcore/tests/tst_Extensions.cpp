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
        QTemporaryDir dir;
        auto settings = std::make_shared<ProductSettingsManager>(dir.filePath("product.ini"));
        settings->SetString("Path", "stale");
        ApplicationRegistryUpdater updater(settings);
        QCOMPARE(QString::fromStdString(settings->GetString("Path", "")), QString("stale"));

        for (int start = 0; start < 2; ++start) {  // every start writes, whatever was there
            updater.onStart();
            const QString expected =
                QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) +
                QDir::separator();
            QCOMPARE(QString::fromStdString(settings->GetString("Path", "")), expected);
            settings->SetString("Path", "stale");
        }
    }

    // A product installed under a folder named in several scripts keeps every character.
    void registryUpdaterKeepsNonAsciiFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("cyrillic") << QString::fromUtf8("Программы");
        QTest::newRow("accents and blanks") << QString::fromUtf8("Données de l’été");
        QTest::newRow("cjk") << QString::fromUtf8("程序");
    }
    void registryUpdaterKeepsNonAsciiFolders() {
        QFETCH(QString, folder);
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
        const std::string stored = settings.GetString("Path", "");
        QCOMPARE(QString::fromUtf8(stored.c_str()), installed + QDir::separator());
        QVERIFY(QByteArray::fromStdString(stored).contains(folder.toUtf8()));
    }

    void emptyServiceIsRefused() {
        try {
            ApplicationRegistryUpdater updater(nullptr);
            QFAIL("an empty settings pointer must be refused");
        } catch (const std::logic_error& error) {
            QCOMPARE(QString(error.what()), QString("NotNull can not initialized by null"));
        }
    }
};

QUORVEL_TEST_MAIN(ExtensionsTest)
#include "tst_Extensions.moc"
