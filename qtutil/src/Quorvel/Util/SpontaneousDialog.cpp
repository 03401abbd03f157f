#include <Quorvel/Util/SpontaneousDialog.h>

#include <QApplication>
#include <QMainWindow>

namespace Quorvel::Util {

QWidget* SpontaneousDialog::GetMainWindow() {
    QWidget* active = QApplication::activeWindow();
    if (qobject_cast<QMainWindow*>(active)) {
        return active;
    }
    // topLevelWidgets() comes in no particular order, and a main window that was closed but
    // not yet deleted is still among them: a visible one is the better parent.
    QWidget* hidden = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow*>(widget)) {
            continue;
        }
        if (widget->isVisible()) {
            return widget;
        }
        if (!hidden) {
            hidden = widget;
        }
    }
    return hidden ? hidden : active;
}

}  // namespace Quorvel::Util
