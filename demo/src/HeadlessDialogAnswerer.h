#pragma once

#include <QObject>
#include <QTimer>

class PictureFolder;

// In a run without anyone at the screen, answers every modal dialog that shows, so that nothing
// waits for a user who is not there: saves a picture of it (<object name>.png, or
// message-box-<n>.png), prints a message box's title and text and presses its Yes or OK button,
// and closes any other dialog as Escape would. A "Don't show this again" box is left unticked,
// so that nothing is remembered for the user.
class HeadlessDialogAnswerer : public QObject {
    Q_OBJECT
public:
    HeadlessDialogAnswerer(PictureFolder& pictures, QObject* parent);

private:
    void Poll();

    PictureFolder& m_pictures;
    QTimer m_timer;
    int m_boxes = 0;
};
