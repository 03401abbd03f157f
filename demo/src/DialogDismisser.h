#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// For runs without anyone at the screen: takes a picture of each modal dialog that comes up
// (<directory>/<object name>.png) and closes it as Escape would, so that nothing waits for a
// user who is not there.
class DialogDismisser : public QObject {
    Q_OBJECT
public:
    explicit DialogDismisser(QString directory);
    const QStringList& Pictures() const { return m_pictures; }

private:
    void Poll();

    QString m_directory;
    QTimer m_timer;
    QStringList m_pictures;
};
