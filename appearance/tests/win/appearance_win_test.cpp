// Exercises the Qt-free Windows registry reader, its change watcher and the title-bar call;
// built by mingw-w64 and run under wine, where the registry is changed with wine's reg.exe.

#include "../../../testsupport/win/WinCheck.h"
#include "win/DwmTitleBar.h"
#include "win/PersonalizeRegistry.h"

#include <atomic>
#include <cstdio>
#include <string>

using namespace Quorvel::App::Platform;

namespace {

const std::wstring kKey =
    L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Another program changes the value, as the system's settings would.
bool Reg(const std::wstring& arguments) { return RunProcess(L"reg.exe " + arguments) == 0; }

bool WaitFor(const std::atomic<int>& counter, int atLeast) {
    for (int i = 0; i < 200 && counter.load() < atLeast; ++i) {
        ::Sleep(25);
    }
    return counter.load() >= atLeast;
}

void TestRegistry() {
    struct Case {
        const wchar_t* command;  // after "add <key> /v AppsUseLightTheme /f", or "delete"
        int light;               // 1 light, 0 dark, -1 no answer
        const char* what;
    };
    const Case cases[] = {
        {L"/t REG_DWORD /d 0", 0, "0 is dark"},
        {L"/t REG_DWORD /d 1", 1, "1 is light"},
        {L"/t REG_DWORD /d 7", 1, "any other number is light"},
        {L"/t REG_SZ /d 0", -1, "a string is no answer"},
        {L"/t REG_BINARY /d 00000000000000", -1, "a long binary value is no answer"},
        {L"delete", -1, "a missing value is no answer"},
    };
    std::atomic<int> changes{0};
    PersonalizeWatcher watcher([&changes] { ++changes; });
    Check(watcher.IsWatching(), "the Personalize key (or its parent) is watched");
    for (const Case& test : cases) {
        const int before = changes.load();
        const bool changed =
            std::wstring(test.command) == L"delete"
                ? Reg(L"delete " + kKey + L" /v AppsUseLightTheme /f")
                : Reg(L"add " + kKey + L" /v AppsUseLightTheme /f " + test.command);
        Check(changed, "reg.exe changes the value");
        Check(WaitFor(changes, before + 1), "the watcher is told of the change");
        const AppsUseLightTheme read = ReadAppsUseLightTheme();
        Check(read.light ? int(*read.light) == test.light : test.light == -1, test.what);
        Check(read.light.has_value() == read.problem.empty(), "a problem only without answer");
    }
}

void TestTitleBar() {
    Check(DarkModeAttribute(17763) == 19 && DarkModeAttribute(18984) == 19, "19 before 18985");
    Check(DarkModeAttribute(18985) == 20 && DarkModeAttribute(22631) == 20, "20 from 18985");
    Check(WindowsBuild() > 0, "the build number is known");

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuorvelTitleBarTest";
    ::RegisterClassW(&windowClass);
    HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"title bar", WS_OVERLAPPEDWINDOW, 0, 0,
                          200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    Check(window != nullptr, "a top-level window is made");
    const HRESULT dark = SetDarkTitleBar(window, true);
    const HRESULT light = SetDarkTitleBar(window, false);
    std::printf("INFO: build %lu, DwmSetWindowAttribute(%lu) answered 0x%08lx and 0x%08lx\n",
                WindowsBuild(), DarkModeAttribute(WindowsBuild()), static_cast<unsigned long>(dark),
                static_cast<unsigned long>(light));
    Check((dark == S_OK || dark == E_NOTIMPL) && light == dark,
          "the system takes the attribute or says it is not implemented, alike both ways");
    ::DestroyWindow(window);
}

}  // namespace

int wmain() {
    TestRegistry();
    TestTitleBar();
    return Finish();
}
