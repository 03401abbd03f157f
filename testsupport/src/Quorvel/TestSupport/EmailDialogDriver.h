#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace Quorvel::TestSupport {

// Answers every e-mail dialog that appears as a user would: types the address into its
// field key by key, ticks the consent box with the mouse if told to, then finishes as told.
// A dialog that will not close (Confirm refused) is then closed with Not now.
class EmailDialogDriver : public QObject {
    Q_OBJECT
public:
    enum class Finish { ClickConfirm, PressEnter, ClickNotNow, ClickPrivacyThenNotNow };

    EmailDialogDriver(const QString& address, bool consent, Finish finish);

    int Answered() const { return m_answered; }
    // Of the last dialog answered, before finishing:
    bool ConfirmEnabled() const { return m_confirmEnabled; }
    bool HintShown() const { return m_hintShown; }
    QWidget* Parent() const { return m_parent; }

private:
    void Poll();

    QString m_address;
    bool m_consent;
    Finish m_finish;
    QTimer m_timer;
    int m_answered = 0;
    bool m_confirmEnabled = false;
    bool m_hintShown = false;
    QWidget* m_parent = nullptr;
};

}  // namespace Quorvel::TestSupport
