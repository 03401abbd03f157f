#include <Quorvel/Util/SpontaneousDialog.h>

#include <QApplication>
#include <QMainWindow>

namespace Quorvel::Util {

QWidget* SpontaneousDialog::GetMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget)) {
            return widget;
        }
    }
    return QApplication::activeWindow();
}

}  // namespace Quorvel::Util
