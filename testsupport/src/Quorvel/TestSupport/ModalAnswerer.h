#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

namespace Quorvel::TestSupport {

// Answers the next modal message box that appears: polls for the active modal widget and,
// once it is a QMessageBox, remembers its text and clicks the chosen button.
class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer, QObject* parent = nullptr);

    // Ticks the box's check box before clicking, as a user would.
    void TickCheckBox() { m_tick = true; }

    bool Answered() const { return m_answered; }
    const QString& Title() const { return m_title; }
    const QString& Text() const { return m_text; }
    // NoIcon once a pixmap replaced the level's icon.
    QMessageBox::Icon Icon() const { return m_icon; }

private:
    void Poll();

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    bool m_tick = false;
    bool m_answered = false;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QString m_title;
    QString m_text;
};

}  // namespace Quorvel::TestSupport
