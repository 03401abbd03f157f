#include "win/DwmTitleBar.h"

namespace Quorvel::App::Platform {

namespace {

// The first build that takes the attribute under its documented number.
constexpr DWORD kFirstBuildWithAttribute20 = 18985;

using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);

template <class Function>
Function Find(const wchar_t* library, const char* name) {
    // Loaded once and kept: both libraries stay loaded in a GUI process anyway.
    HMODULE module = ::LoadLibraryW(library);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
               : nullptr;
}

}  // namespace

DWORD DarkModeAttribute(DWORD build) { return build >= kFirstBuildWithAttribute20 ? 20 : 19; }

DWORD WindowsBuild() {
    static const GetVersion getVersion = Find<GetVersion>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return getVersion && getVersion(&info) == 0 ? info.dwBuildNumber : 0;
}

HRESULT SetDarkTitleBar(HWND window, bool dark) {
    static const SetWindowAttribute set =
        Find<SetWindowAttribute>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!set) {
        return E_NOTIMPL;
    }
    const BOOL value = dark ? TRUE : FALSE;
    return set(window, DarkModeAttribute(WindowsBuild()), &value, sizeof value);
}

}  // namespace Quorvel::App::Platform
