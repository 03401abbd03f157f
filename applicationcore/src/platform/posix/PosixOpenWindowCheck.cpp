#include "OpenWindowCheck.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

namespace Quorvel::App::Platform {

void CheckForOpenWindow(std::atomic<bool>& waiting) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        return;
    }
    // Windows belong to the GUI thread, so the look runs there. It is posted, never awaited:
    // the waiter's destructor blocks the GUI thread until the waiting thread has ended.
    QMetaObject::invokeMethod(
        application,
        [&waiting] {
            const QWindowList windows = QGuiApplication::topLevelWindows();
            if (waiting && std::any_of(windows.begin(), windows.end(),
                                       [](const QWindow* window) { return window->isVisible(); })) {
                waiting = false;
            }
        },
        Qt::QueuedConnection);
}

}  // namespace Quorvel::App::Platform
