#pragma once

#include <Quorvel/QtUtilExport.h>

class QWidget;

namespace Quorvel::Util {

/// Where a dialog that appears on its own (not asked for by the user) finds its parent.
class QUORVEL_QTUTIL_EXPORT SpontaneousDialog {
public:
    /// The product's main window, to parent dialogs that appear on their own: the active
    /// window if it is a QMainWindow, else a visible top-level QMainWindow, else a hidden one,
    /// else the active window, else null.
    static QWidget* GetMainWindow();
};

}  // namespace Quorvel::Util
