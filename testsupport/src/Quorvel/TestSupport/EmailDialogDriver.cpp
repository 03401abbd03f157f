#include <Quorvel/TestSupport/EmailDialogDriver.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace Quorvel::TestSupport {

EmailDialogDriver::EmailDialogDriver(const QString& address, bool consent, Finish finish)
    : m_address(address), m_consent(consent), m_finish(finish) {
    connect(&m_timer, &QTimer::timeout, this, &EmailDialogDriver::Poll);
    m_timer.start(10);
}

void EmailDialogDriver::Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog->objectName() != "emailDialog") {
        return;
    }
    ++m_answered;
    m_parent = dialog->parentWidget();
    auto* edit = dialog->findChild<QLineEdit*>("emailEdit");
    auto* consent = dialog->findChild<QCheckBox*>("consentCheck");
    auto* confirm = dialog->findChild<QPushButton*>("confirmButton");
    auto* notNow = dialog->findChild<QPushButton*>("notNowButton");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, m_address);
    if (m_consent) {
        QTest::mouseClick(consent, Qt::LeftButton);
    }
    m_confirmEnabled = confirm->isEnabled();
    m_hintShown = dialog->findChild<QLabel*>("emailHint")->isVisible();
    switch (m_finish) {
        case Finish::ClickConfirm:
            QTest::mouseClick(confirm, Qt::LeftButton);
            break;
        case Finish::PressEnter:
            QTest::keyClick(edit, Qt::Key_Return);
            break;
        case Finish::ClickNotNow:
            QTest::mouseClick(notNow, Qt::LeftButton);
            break;
        case Finish::ClickPrivacyThenNotNow:
            QTest::mouseClick(dialog->findChild<QPushButton*>("privacyButton"), Qt::LeftButton);
            QTest::mouseClick(notNow, Qt::LeftButton);
            break;
    }
    m_closedByFinish = !dialog->isVisible();
    if (!m_closedByFinish) {
        notNow->click();
    }
}

}  // namespace Quorvel::TestSupport
