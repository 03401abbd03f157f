#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/AlertBox.h>

#include <QApplication>
#include <QTimer>

using Quorvel::TestSupport::ModalAnswerer;
using Quorvel::Util::AlertBox;

Q_DECLARE_METATYPE(AlertBox::Level)
Q_DECLARE_METATYPE(QMessageBox::StandardButtons)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

// Closes the next modal box the way a user may without choosing a button: Escape, the
// window's close button, or the dialog being rejected. A box that survives Escape (one with
// no escape button) is rejected afterwards, so that the test never hangs.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(const QString& how) : m_how(how) {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(10);
    }
    bool SurvivedEscape() const { return m_survived; }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        if (m_done) {
            m_survived = true;
            m_timer.stop();
            box->reject();
            return;
        }
        m_done = true;
        if (m_how == "escape") {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (m_how == "close") {
            box->close();
        } else {
            box->reject();
        }
        if (m_how == "reject") {
            m_timer.stop();
        }
    }

    QString m_how;
    QTimer m_timer;
    bool m_done = false;
    bool m_survived = false;
};

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
        QCOMPARE(box.windowTitle(), QString("Title"));
        QCOMPARE(box.text(), QString("Text"));
        QCOMPARE(box.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(!box.isVisible());
        // Derived boxes rely on the meta-object of AlertBox itself.
        QCOMPARE(box.metaObject()->className(), "Quorvel::Util::AlertBox");
        QVERIFY(qobject_cast<AlertBox*>(static_cast<QObject*>(&box)) != nullptr);
    }

    void execReturnsTheButtonThatClosedIt_data() {
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("ok of ok/cancel")
            << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::Ok;
        QTest::newRow("cancel of ok/cancel")
            << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::Cancel;
        QTest::newRow("no of yes/no") << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::No;
        QTest::newRow("discard of three")
            << (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)
            << QMessageBox::Discard;
        QTest::newRow("single button")
            << QMessageBox::StandardButtons(QMessageBox::Close) << QMessageBox::Close;
    }
    void execReturnsTheButtonThatClosedIt() {
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QMessageBox::StandardButton, answer);
        AlertBox box(AlertBox::Question, "Question", "Which one?", buttons, nullptr, Qt::Dialog);
        ModalAnswerer answerer(answer);
        QCOMPARE(box.Exec(), answer);
        QVERIFY(answerer.Answered());
        QCOMPARE(answerer.Text(), QString("Which one?"));
        QVERIFY(!box.isVisible());
    }

    void closingWithoutAButton_data() {
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QMessageBox::StandardButton>("expected");
        QTest::addColumn<bool>("survivesEscape");
        QTest::newRow("escape picks cancel")
            << (QMessageBox::Ok | QMessageBox::Cancel) << "escape" << QMessageBox::Cancel << false;
        QTest::newRow("escape picks no")
            << (QMessageBox::Yes | QMessageBox::No) << "escape" << QMessageBox::No << false;
        QTest::newRow("escape picks the only button")
            << QMessageBox::StandardButtons(QMessageBox::Ok) << "escape" << QMessageBox::Ok
            << false;
        QTest::newRow("escape without escape button") << (QMessageBox::Save | QMessageBox::Discard)
                                                      << "escape" << QMessageBox::NoButton << true;
        QTest::newRow("close button picks cancel")
            << (QMessageBox::Ok | QMessageBox::Cancel) << "close" << QMessageBox::Cancel << false;
        QTest::newRow("rejected") << (QMessageBox::Ok | QMessageBox::Cancel) << "reject"
                                  << QMessageBox::NoButton << false;
    }
    void closingWithoutAButton() {
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QString, how);
        QFETCH(QMessageBox::StandardButton, expected);
        QFETCH(bool, survivesEscape);
        AlertBox box(AlertBox::Warning, "Warning", "Careful", buttons, nullptr, Qt::Dialog);
        ModalCloser closer(how);
        QCOMPARE(box.Exec(), expected);
        QCOMPARE(closer.SurvivedEscape(), survivesEscape);
    }

    // The box may be shown again; each Exec reports only its own closing.
    void secondExecForgetsTheFirstAnswer() {
        AlertBox box(AlertBox::Question, "Again", "Once more?", QMessageBox::Yes | QMessageBox::No,
                     nullptr, Qt::Dialog);
        {
            ModalAnswerer answerer(QMessageBox::Yes);
            QCOMPARE(box.Exec(), QMessageBox::Yes);
        }
        {
            ModalCloser closer("reject");
            QCOMPARE(box.Exec(), QMessageBox::NoButton);
        }
        {
            ModalAnswerer answerer(QMessageBox::No);
            QCOMPARE(box.Exec(), QMessageBox::No);
        }
    }

    // A box made with a parent is modal over it and goes with it.
    void parentOwnsTheBox() {
        QPointer<AlertBox> box;
        {
            QWidget parent;
            box = new AlertBox(AlertBox::Information, "Info", "Owned", QMessageBox::Ok, &parent,
                               Qt::Dialog);
            QCOMPARE(box->parentWidget(), &parent);
            ModalAnswerer answerer(QMessageBox::Ok);
            QCOMPARE(box->Exec(), QMessageBox::Ok);
        }
        QVERIFY(box.isNull());
    }
};

QUORVEL_TEST_MAIN(AlertBoxTest)
#include "tst_AlertBox.moc"
