#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// In a run without anyone at the screen, answers every message box that shows: saves a picture
// of it, prints its title and text, and presses its Yes or OK button. A "Don't show this again"
// box is left unticked, so that nothing is remembered for the user.
class HeadlessBoxAnswerer : public QObject {
    Q_OBJECT
public:
    HeadlessBoxAnswerer(QString directory, QObject* parent);

    const QStringList& Pictures() const { return m_pictures; }

private:
    void Poll();

    QString m_directory;
    QTimer m_timer;
    int m_answered = 0;
    QStringList m_pictures;
};
