// The confirmation box answered with real clicks; its answers kept in a real settings store.
#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>
#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QCheckBox>
#include <QtTest>

#include <functional>

using namespace Quorvel::App;
using Button = QMessageBox::StandardButton;

namespace {

using Setup = std::function<void(ConfirmationAlertBox&)>;

// Asks the question "q": clicks `answer`, ticking the check box first when `tick`. Returns what
// Exec gave and whether the box was shown at all.
std::pair<int, bool> Ask(const std::shared_ptr<ApplicationSettingsManager>& settings, int buttons,
                         int answer, bool tick, const Setup& setup = [](auto&) {}) {
    ConfirmationAlertBox box(settings, Quorvel::Util::AlertBox::Question, "Title", "Text",
                             QMessageBox::StandardButtons(buttons), nullptr, Qt::Dialog);
    box.SetConfirmationId("q");
    setup(box);
    Quorvel::TestSupport::ModalAnswerer answerer{Button(answer)};
    if (tick) {
        answerer.TickCheckBox();
    }
    const int result = box.Exec();
    return {result, answerer.Answered()};
}

}  // namespace

class TestConfirmationAlertBox : public QObject {
    Q_OBJECT
private slots:
    void remembersWhatTheRulesAllow_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");  // NoButton: closed without a button
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("rememberOnReject");
        QTest::addColumn<int>("rememberOnly");
        QTest::addColumn<int>("forced");  // -1: none
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("remembered");  // -1: nothing stored, the next box shows
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("yes") << yesNo << int(Button::Yes) << true << false << 0 << -1 << true
                             << int(Button::Yes);
        QTest::newRow("no has no reject role") << yesNo << int(Button::No) << true << false << 0
                                               << -1 << true << int(Button::No);
        QTest::newRow("cancel is a rejection") << okCancel << int(Button::Cancel) << true << false
                                               << 0 << -1 << true << -1;
        QTest::newRow("rejection on request") << okCancel << int(Button::Cancel) << true << true
                                              << 0 << -1 << true << int(Button::Cancel);
        QTest::newRow("outside remember-only") << yesNo << int(Button::No) << true << false
                                               << int(Button::Yes) << -1 << true << -1;
        QTest::newRow("forced answer kept") << yesNo << int(Button::Yes) << true << false << 0
                                            << int(Button::No) << true << int(Button::No);
        QTest::newRow("not ticked") << yesNo << int(Button::Yes) << false << false << 0 << -1
                                    << true << -1;
        QTest::newRow("no clicked button") << yesNo << int(Button::NoButton) << true << false << 0
                                           << -1 << true << int(Button::NoButton);
        QTest::newRow("store cannot be written") << yesNo << int(Button::Yes) << true << false << 0
                                                 << -1 << false << int(Button::Yes);
    }
    void remembersWhatTheRulesAllow() {
        QFETCH(int, buttons);
        QFETCH(int, answer);
        QFETCH(bool, tick);
        QFETCH(bool, rememberOnReject);
        QFETCH(int, rememberOnly);
        QFETCH(int, forced);
        QFETCH(bool, writable);
        QFETCH(int, remembered);
        QTemporaryDir dir;
        QFile blocker(dir.filePath("blocker"));  // nobody can make a folder inside a file
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        auto settings = std::make_shared<ApplicationSettingsManager>(
            dir.filePath(writable ? "application.ini" : "blocker/application.ini"));
        const Setup setup = [&](ConfirmationAlertBox& box) {
            box.SetRememberOnReject(rememberOnReject);
            box.SetRememberOnly(QMessageBox::StandardButtons(rememberOnly));
            if (forced >= 0) {
                box.SetForceSaveAnswer(forced);
            }
        };
        QCOMPARE(Ask(settings, buttons, answer, tick, setup), std::make_pair(answer, true));
        QCOMPARE(settings->GetBool("confirm/q_dont_confirm", false), remembered >= 0);
        QCOMPARE(settings->GetInt("confirm/q_answer", -1), remembered);

        // The same question again: answered from the store, or shown.
        const auto again = Ask(settings, buttons, answer, false, setup);
        QCOMPARE(again, remembered >= 0 ? std::make_pair(remembered, false)
                                        : std::make_pair(answer, true));
    }

    void resetKeepsTheCheckBoxOfTheSameBox() {
        QTemporaryDir dir;
        auto settings = std::make_shared<ApplicationSettingsManager>(dir.filePath("a.ini"));
        Ask(settings, QMessageBox::Yes | QMessageBox::No, Button::Yes, true);
        ConfirmationAlertBox box(settings, Quorvel::Util::AlertBox::Question, "Title", "Text",
                                 QMessageBox::Yes | QMessageBox::No, nullptr, Qt::Dialog);
        QCOMPARE(box.findChild<QCheckBox*>("dontConfirmCheckBox"), box.checkBox());
        box.SetConfirmationId("q");
        box.Reset();
        QCOMPARE(settings->GetBool("confirm/q_dont_confirm", true), false);
        Quorvel::TestSupport::ModalAnswerer answerer(Button::No);
        QCOMPARE(box.Exec(), Button::Yes);  // still ticked: skipped
        QVERIFY(!answerer.Answered());
        box.SetConfirmationId("q");
        QVERIFY(!box.IsDontConfirm());

        // Ticked by the product with nothing stored: NoButton, without showing.
        box.SetConfirmationId("never asked");
        box.SetDontConfirm(true);
        QCOMPARE(box.Exec(), Button::NoButton);
        QVERIFY(!answerer.Answered());
    }
};

QUORVEL_TEST_MAIN(TestConfirmationAlertBox)
#include "tst_ConfirmationAlertBox.moc"
