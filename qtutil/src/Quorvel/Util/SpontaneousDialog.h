#pragma once

#include <Quorvel/QtUtilExport.h>

class QWidget;

namespace Quorvel::Util {

class QUORVEL_QTUTIL_EXPORT SpontaneousDialog {
public:
    // The product's main window, to parent dialogs that appear on their own: the first
    // top-level QMainWindow, else the active window, else null.
    static QWidget* GetMainWindow();
};

}  // namespace Quorvel::Util
