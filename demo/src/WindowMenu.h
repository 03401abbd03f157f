#pragma once

#include <QMenu>

#include <functional>

class QMenuBar;

// The Window menu: Minimize and Zoom for the active window. It adds itself to the end of the
// menu bar, and the library's window-menu handler wires its entries by their object names;
// `filter` tells which windows they may act on.
class WindowMenu : public QMenu {
    Q_OBJECT
public:
    WindowMenu(QMenuBar* menuBar, std::function<bool(QWidget*)> filter);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QAction* m_minimize;
    QAction* m_zoom;
};
