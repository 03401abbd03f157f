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
    auto* confirm = dialog->findChild<QPushButton*>("confirmButton");
    auto* notNow = dialog->findChild<QPushButton*>("notNowButton");
    edit->clear();
    QTest::keyClicks(edit, m_address);
    if (m_consent) {
        QTest::mouseClick(dialog->findChild<QCheckBox*>("consentCheck"), Qt::LeftButton);
    }
    m_confirmEnabled = confirm->isEnabled();
    m_hintShown = dialog->findChild<QLabel*>("emailHint")->isVisible();
    if (m_finish == Finish::ClickPrivacyThenNotNow) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("privacyButton"), Qt::LeftButton);
    }
    if (m_finish == Finish::ClickConfirm) {
        QTest::mouseClick(confirm, Qt::LeftButton);
    } else if (m_finish == Finish::PressEnter) {
        QTest::keyClick(edit, Qt::Key_Return);
    }
    if (dialog->isVisible()) {
        QTest::mouseClick(notNow, Qt::LeftButton);
    }
}

}  // namespace Quorvel::TestSupport
