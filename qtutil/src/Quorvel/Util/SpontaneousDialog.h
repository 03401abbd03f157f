#pragma once

#include <Quorvel/QtUtilExport.h>

class QWidget;

namespace Quorvel::Util {

class QUORVEL_QTUTIL_EXPORT SpontaneousDialog {
public:
    /// The product's main window, to parent dialogs that appear on their own: the active
    /// window if it is a QMainWindow, else a visible top-level QMainWindow, else a hidden one,
    /// else the active window, else null.
    static QWidget* GetMainWindow();
};

}  // namespace Quorvel::Util
