#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AlertBox.h>

#include <QAbstractButton>
#include <QApplication>

using Quorvel::Util::AlertBox;

Q_DECLARE_METATYPE(AlertBox::Level)
Q_DECLARE_METATYPE(QMessageBox::StandardButtons)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

// Acts on the box that the next Exec() shows: clicks `button`, presses Escape, closes the
// window or rejects it. A box still open after that is rejected, so that the test never hangs.
void AnswerNextBox(const QString& how, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [how, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (how == "button") box->button(button)->click();
        if (how == "escape") QTest::keyClick(box, Qt::Key_Escape);
        if (how == "close") box->close();
        if (box->isVisible()) box->reject();
    });
}

}  // namespace

class AlertBoxTest : public QObject {
    Q_OBJECT
private slots:
    // The level chooses the icon; Exec returns the button that closed the box, if any.
    void execReturnsTheButtonThatClosedIt_data() {
        QTest::addColumn<AlertBox::Level>("level");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QMessageBox::StandardButton>("result");
        const QMessageBox::StandardButtons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("cancel clicked") << AlertBox::Information << QMessageBox::Information
                                        << okCancel << "button" << QMessageBox::Cancel;
        QTest::newRow("escape picks cancel") << AlertBox::Warning << QMessageBox::Warning
                                             << okCancel << "escape" << QMessageBox::Cancel;
        QTest::newRow("close button picks cancel") << AlertBox::Critical << QMessageBox::Critical
                                                   << okCancel << "close" << QMessageBox::Cancel;
        QTest::newRow("rejected") << AlertBox::Question << QMessageBox::Question << okCancel
                                  << "reject" << QMessageBox::NoButton;
    }
    void execReturnsTheButtonThatClosedIt() {
        QFETCH(AlertBox::Level, level);
        QFETCH(QMessageBox::Icon, icon);
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QString, how);
        QFETCH(QMessageBox::StandardButton, result);
        AlertBox box(level, "Title", "Which one?", buttons, nullptr, Qt::Dialog);
        QVERIFY(box.icon() == icon && box.GetLevel() == level);
        AnswerNextBox(how, result);
        QCOMPARE(box.Exec(), result);
        QVERIFY(!box.isVisible());
        // Shown again, Exec reports only its own closing.
        AnswerNextBox("reject", result);
        QCOMPARE(box.Exec(), QMessageBox::NoButton);
    }
};

QUORVEL_TEST_MAIN(AlertBoxTest)
#include "tst_AlertBox.moc"
