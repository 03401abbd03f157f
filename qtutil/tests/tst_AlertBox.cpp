#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AlertBox.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

using Quorvel::Util::AlertBox;

Q_DECLARE_METATYPE(AlertBox::Level)
Q_DECLARE_METATYPE(QMessageBox::StandardButtons)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

// Acts on the box that the next Exec() shows: clicks `button`, or closes the box without one
// by Escape, by the window's close button or by rejecting it. A box still open after that is
// rejected, so that the test never hangs.
void AnswerNextBox(const QString& how, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [how, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (how == "button") {
            box->button(button)->click();
        } else if (how == "escape") {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (how == "close") {
            box->close();
        }
        if (box->isVisible()) {
            box->reject();
        }
    });
}

}  // namespace

class AlertBoxTest : public QObject {
    Q_OBJECT
private slots:
    void levelChoosesIcon_data() {
        QTest::addColumn<AlertBox::Level>("level");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("information") << AlertBox::Information << QMessageBox::Information;
        QTest::newRow("warning") << AlertBox::Warning << QMessageBox::Warning;
        QTest::newRow("critical") << AlertBox::Critical << QMessageBox::Critical;
        QTest::newRow("question") << AlertBox::Question << QMessageBox::Question;
    }
    void levelChoosesIcon() {
        QFETCH(AlertBox::Level, level);
        QFETCH(QMessageBox::Icon, icon);
        AlertBox box(level, "Title", "Text", QMessageBox::Ok | QMessageBox::Cancel, nullptr,
                     Qt::Dialog);
        QCOMPARE(box.icon(), icon);
        QCOMPARE(box.GetLevel(), level);
        QCOMPARE(box.windowTitle() + "|" + box.text(), QString("Title|Text"));
        QCOMPARE(box.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    }

    // "button" clicks `result`; the other ways close the box without a button.
    void execReturnsTheButtonThatClosedIt_data() {
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QMessageBox::StandardButton>("result");
        const QMessageBox::StandardButtons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("cancel clicked") << okCancel << "button" << QMessageBox::Cancel;
        QTest::newRow("escape picks cancel") << okCancel << "escape" << QMessageBox::Cancel;
        QTest::newRow("escape without escape button")
            << (QMessageBox::Save | QMessageBox::Discard) << "escape" << QMessageBox::NoButton;
        QTest::newRow("close button picks cancel") << okCancel << "close" << QMessageBox::Cancel;
        QTest::newRow("rejected") << okCancel << "reject" << QMessageBox::NoButton;
    }
    void execReturnsTheButtonThatClosedIt() {
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QString, how);
        QFETCH(QMessageBox::StandardButton, result);
        AlertBox box(AlertBox::Warning, "Warning", "Which one?", buttons, nullptr, Qt::Dialog);
        AnswerNextBox(how, result);
        QCOMPARE(box.Exec(), result);
        QVERIFY(!box.isVisible());
    }

    // The box may be shown again, with a parent that owns it; each Exec reports only its own
    // closing.
    void secondExecForgetsTheFirstAnswer() {
        QPointer<AlertBox> box;
        {
            QWidget parent;
            box = new AlertBox(AlertBox::Question, "Again", "Once more?",
                               QMessageBox::Yes | QMessageBox::No, &parent, Qt::Dialog);
            QCOMPARE(box->parentWidget(), &parent);
            AnswerNextBox("button", QMessageBox::Yes);
            QCOMPARE(box->Exec(), QMessageBox::Yes);
            AnswerNextBox("reject", QMessageBox::NoButton);
            QCOMPARE(box->Exec(), QMessageBox::NoButton);
            AnswerNextBox("button", QMessageBox::No);
            QCOMPARE(box->Exec(), QMessageBox::No);
        }
        QVERIFY(box.isNull());
    }
};

QUORVEL_TEST_MAIN(AlertBoxTest)
#include "tst_AlertBox.moc"
