// The confirmation box answered with real clicks; its answers kept in a real settings store.
#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>
#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using namespace Quorvel::App;
using Box = ConfirmationAlertBox;

namespace {

const int Yes = QMessageBox::Yes, No = QMessageBox::No, Cancel = QMessageBox::Cancel,
          Ok = QMessageBox::Ok;

std::unique_ptr<Box> Make(const std::shared_ptr<ApplicationSettingsManager>& settings,
                          int buttons = Yes | No) {
    auto box = std::make_unique<Box>(settings, Quorvel::Util::AlertBox::Question, "Title", "Text",
                                     QMessageBox::StandardButtons(buttons), nullptr, Qt::Dialog);
    box->SetConfirmationId("q");
    return box;
}

// Exec, answered with `answer` (NoButton: closed without a button), ticking the check box first
// when asked. The result, or -1 - the result when the box was not shown.
int Ask(Box& box, int answer, bool tick) {
    Quorvel::TestSupport::ModalAnswerer answerer{QMessageBox::StandardButton(answer)};
    if (tick) answerer.TickCheckBox();
    const int result = box.Exec();
    return answerer.Answered() ? result : -1 - result;
}

}  // namespace

class TestConfirmationAlertBox : public QObject {
    Q_OBJECT
private slots:
    void remembersWhatTheRulesAllow_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("remembered");  // -1: nothing, the next box shows
        QTest::newRow("yes") << Yes + No << "" << Yes << true << Yes;
        QTest::newRow("no has no reject role") << Yes + No << "" << No << true << No;
        QTest::newRow("cancel rejects") << Ok + Cancel << "" << Cancel << true << -1;
        QTest::newRow("on reject") << Ok + Cancel << "reject" << Cancel << true << Cancel;
        QTest::newRow("outside remember-only") << Yes + No << "only yes" << No << true << -1;
        QTest::newRow("forced answer") << Yes + No << "force no" << Yes << true << No;
        QTest::newRow("not ticked") << Yes + No << "" << Yes << false << -1;
        QTest::newRow("no clicked button") << Yes + No << "" << 0 << true << 0;
        QTest::newRow("store cannot be written") << Yes + No << "unwritable" << Yes << true << Yes;
    }
    void remembersWhatTheRulesAllow() {
        QFETCH(int, buttons);
        QFETCH(QString, setup);
        QFETCH(int, answer);
        QFETCH(bool, tick);
        QFETCH(int, remembered);
        QTemporaryDir dir;
        // Nobody can make a folder inside a file.
        QVERIFY(Quorvel::TestSupport::WriteFile(dir.filePath("blocker"), {}));
        auto settings = std::make_shared<ApplicationSettingsManager>(
            dir.filePath(setup == "unwritable" ? "blocker/a.ini" : "a.ini"));
        for (int run = 0; run < 2; ++run) {
            auto box = Make(settings, buttons);
            box->SetRememberOnReject(setup == "reject");
            box->SetRememberOnly(QMessageBox::StandardButtons(setup == "only yes" ? Yes : 0));
            if (setup == "force no") box->SetForceSaveAnswer(No);
            if (run == 0) {
                QCOMPARE(Ask(*box, answer, tick), answer);  // the answer given, whatever is kept
                QCOMPARE(settings->GetBool("confirm/q_dont_confirm", false), remembered >= 0);
                QCOMPARE(settings->GetInt("confirm/q_answer", -1), remembered);
            } else {  // the same question again: from the store, or shown
                QCOMPARE(Ask(*box, answer, false), remembered >= 0 ? -1 - remembered : answer);
            }
        }
    }

    void resetLeavesTheCheckBoxOfTheSameBox() {
        QTemporaryDir dir;
        auto settings = std::make_shared<ApplicationSettingsManager>(dir.filePath("a.ini"));
        Ask(*Make(settings), Yes, true);
        auto box = Make(settings);
        box->Reset();
        QVERIFY(!settings->GetBool("confirm/q_dont_confirm", true));
        QCOMPARE(Ask(*box, No, false), -1 - Yes);  // still ticked: skipped
        box->SetConfirmationId("q");
        QVERIFY(!box->IsDontConfirm());
        box->SetConfirmationId("never asked");  // ticked with nothing stored
        box->SetDontConfirm(true);
        QCOMPARE(Ask(*box, No, false), -1 - int(QMessageBox::NoButton));
    }
};

QUORVEL_TEST_MAIN(TestConfirmationAlertBox)
#include "tst_ConfirmationAlertBox.moc"
