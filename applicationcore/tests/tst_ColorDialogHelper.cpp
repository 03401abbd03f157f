// The colour dialog's custom colours across helpers and across a simulated restart.
#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>
#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QColorDialog>
#include <QtTest>

using namespace Quorvel::App;

namespace {

const std::string kGroup = "Quorvel::App::ColorDialogHelper/";

// What a new process starts with: every custom colour white.
void ForgetCustomColors() {
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, Qt::white);
    }
}

}  // namespace

class TestColorDialogHelper : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::shared_ptr<ApplicationSettingsManager> m_settings;

private slots:
    void init() {
        m_settings = std::make_shared<ApplicationSettingsManager>(m_dir.filePath("a.ini"));
        m_settings->Remove("Quorvel::App::ColorDialogHelper");
    }

    void firstRunLeavesTheDialogAlone() {
        QColorDialog::setCustomColor(2, Qt::red);
        ColorDialogHelper helper(m_settings);
        QCOMPARE(QColorDialog::customColor(2), QColor(Qt::red));
    }

    void coloursSurviveARestartOpaque_data() {
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("opaque") << QColor(10, 20, 30) << "#0a141e";
        QTest::newRow("semi-transparent") << QColor(10, 20, 30, 128) << "#0a141e";
    }
    void coloursSurviveARestartOpaque() {
        QFETCH(QColor, chosen);
        QFETCH(QString, stored);
        m_settings->SetString(kGroup + "Color40", "#ffffff");  // from a longer, older list
        {
            ColorDialogHelper helper(m_settings);
            QColorDialog::setCustomColor(3, chosen);
        }
        QCOMPARE(m_settings->GetInt(kGroup + "ColorsCount", 0), QColorDialog::customCount());
        QCOMPARE(QString::fromStdString(m_settings->GetString(kGroup + "Color3", "")), stored);
        QVERIFY(!m_settings->Contains(kGroup + "Color40"));

        ForgetCustomColors();
        ColorDialogHelper restarted(std::make_shared<ApplicationSettingsManager>(m_dir.filePath("a.ini")));
        QCOMPARE(QColorDialog::customColor(3), QColor(stored));
    }

    void theHelperDestroyedLastWins() {
        auto first = std::make_unique<ColorDialogHelper>(m_settings);
        auto copy = std::make_unique<ColorDialogHelper>(*first);
        QColorDialog::setCustomColor(0, Qt::green);
        first.reset();
        QColorDialog::setCustomColor(0, Qt::blue);
        copy.reset();
        QCOMPARE(m_settings->GetString(kGroup + "Color0", ""), std::string("#0000ff"));
    }
};

QUORVEL_TEST_MAIN(TestColorDialogHelper)
#include "tst_ColorDialogHelper.moc"
