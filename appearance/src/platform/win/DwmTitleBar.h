#pragma once

// Private to the appearance library; not installed. Plain Win32, no Qt.

#include <windows.h>

namespace Quorvel::App::Platform {

// The immersive dark mode attribute of DwmSetWindowAttribute: 20 from Windows 10 build 18985
// on, 19 on the builds before it that knew it under that number.
DWORD DarkModeAttribute(DWORD build);

// The build number of the running Windows, as the system reports it to itself (RtlGetVersion:
// GetVersionEx answers what the program's manifest allows).
DWORD WindowsBuild();

// Asks the desktop window manager for a dark or a light title bar of `window`; the system's
// answer, E_NOTIMPL where it has no such function.
HRESULT SetDarkTitleBar(HWND window, bool dark);

}  // namespace Quorvel::App::Platform
