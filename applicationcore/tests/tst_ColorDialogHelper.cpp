// The colour dialog's custom colours across helpers and across a simulated restart.
#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>
#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QColorDialog>

using namespace Quorvel::App;

class TestColorDialogHelper : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::shared_ptr<ApplicationSettingsManager> m_settings;
    const std::string m_group = "Quorvel::App::ColorDialogHelper/";

private slots:
    void init() {
        m_settings = std::make_shared<ApplicationSettingsManager>(m_dir.filePath("a.ini"));
        m_settings->Remove("Quorvel::App::ColorDialogHelper");
    }

    // Stored opaque; a longer list of an older version is cut to the dialog's.
    void coloursSurviveARestartOpaque() {
        const QColor chosen(10, 20, 30, 128);
        const QString stored = "#0a141e";
        m_settings->SetString(m_group + "Color40", "#ffffff");  // of an older, longer list
        QColorDialog::setCustomColor(3, Qt::red);
        {
            ColorDialogHelper helper(m_settings);  // a first run: nothing to load
            QCOMPARE(QColorDialog::customColor(3), QColor(Qt::red));
            QColorDialog::setCustomColor(3, chosen);
        }
        QCOMPARE(m_settings->GetInt(m_group + "ColorsCount", 0), QColorDialog::customCount());
        QCOMPARE(QString::fromStdString(m_settings->GetString(m_group + "Color3", "")), stored);
        QVERIFY(!m_settings->Contains(m_group + "Color40"));

        QColorDialog::setCustomColor(3, Qt::white);  // a new process, a new store on the file
        ColorDialogHelper restarted(
            std::make_shared<ApplicationSettingsManager>(m_dir.filePath("a.ini")));
        QCOMPARE(QColorDialog::customColor(3), QColor(stored));
    }

    // What a store holds is outside input: an absurd count reads no more than the dialog has,
    // and a text that is no colour is named once.
    void malformedStoreIsLoadedSafely() {
        Quorvel::TestSupport::LogCapture log;
        m_settings->SetInt(m_group + "ColorsCount", INT_MAX);
        m_settings->SetString(m_group + "Color0", "#0a141e");
        m_settings->SetString(m_group + "Color1", "no colour");
        ColorDialogHelper helper(m_settings);
        QCOMPARE(QColorDialog::customColor(0), QColor("#0a141e"));
        QCOMPARE(log.Count(m_group + "Color1"), 1);
    }

    void theHelperDestroyedLastWins() {
        auto first = std::make_unique<ColorDialogHelper>(m_settings);
        auto copy = std::make_unique<ColorDialogHelper>(*first);
        QColorDialog::setCustomColor(0, Qt::green);
        first.reset();
        QColorDialog::setCustomColor(0, Qt::blue);
        copy.reset();
        QCOMPARE(m_settings->GetString(m_group + "Color0", ""), std::string("#0000ff"));
    }
};

QUORVEL_TEST_MAIN(TestColorDialogHelper)
#include "tst_ColorDialogHelper.moc"
