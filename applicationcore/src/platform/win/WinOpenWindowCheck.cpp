#include "OpenWindowCheck.h"

#include <windows.h>

namespace Quorvel::App::Platform {
namespace {

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
    auto& waiting = *reinterpret_cast<std::atomic<bool>*>(parameter);
    if (!waiting) {
        return FALSE;  // another waiter found one, or a waiter was destroyed
    }
    if (!::IsWindowVisible(window)) {
        return TRUE;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) {
        return TRUE;
    }
    waiting = false;
    return FALSE;
}

}  // namespace

void CheckForOpenWindow(std::atomic<bool>& waiting) {
    ::EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&waiting));
}

}  // namespace Quorvel::App::Platform
