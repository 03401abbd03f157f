// Exercises the Qt-free Windows process lister and open-window check; built by mingw-w64 and
// run under wine.

#include "OpenWindowCheck.h"
#include "ProcessLister.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwctype>
#include <string>

namespace {

int g_failures = 0;

void Check(bool condition, const char* what) {
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what);
    g_failures += condition ? 0 : 1;
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool Listed(const std::vector<std::wstring>& paths, const std::wstring& path) {
    // The system may spell a path with other capitals than the caller did.
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::wstring& listed) { return Lower(listed) == Lower(path); });
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

bool Start(const std::wstring& program, const std::wstring& option, PROCESS_INFORMATION& info) {
    std::wstring commandLine = L"\"" + program + L"\" " + option;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
        return false;
    }
    ::WaitForInputIdle(info.hProcess, 5000);
    return true;
}

void Stop(const PROCESS_INFORMATION& info) {
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, 10000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

HWND MakeWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuorvelWaiterTest";
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"Waiter test", WS_OVERLAPPEDWINDOW, 0,
                             0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
}

BOOL CALLBACK ClearIfVisibleWindowOf(HWND window, LPARAM parameter) {
    auto* process = reinterpret_cast<DWORD*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != *process || !::IsWindowVisible(window)) return TRUE;
    *process = 0;
    return FALSE;
}

bool ShowsWindow(DWORD process) {
    ::EnumWindows(ClearIfVisibleWindowOf, reinterpret_cast<LPARAM>(&process));
    return process == 0;
}

bool StillWaiting() {
    std::atomic<bool> waiting{true};
    Quorvel::App::Platform::CheckForOpenWindow(waiting);
    return waiting;
}

void TestProcessList() {
    const auto paths = Quorvel::App::Platform::ListProcessExecutables();
    Check(!paths.empty() && paths.size() <= 1024, "some processes, at most 1024");
    Check(Listed(paths, OwnPath()), "this program is listed under its own path");
    Check(std::all_of(paths.begin(), paths.end(),
                      [](const std::wstring& path) {
                          return path.find(L'\0') == std::wstring::npos && path.size() < MAX_PATH;
                      }),
          "every path ends at its first null, within the buffer");

    // A second program named with capitals, in a folder of its own.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"quorvel-lister-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring child = folder + L"\\QuorvelChild.EXE";
    Check(::CopyFileW(OwnPath().c_str(), child.c_str(), FALSE) != 0, "the child is copied");
    PROCESS_INFORMATION info = {};
    const bool started = Start(child, L"--sleep", info);
    Check(started, "the child starts");
    if (started) {
        bool found = false;
        // It may take a moment before the child's module is mapped.
        for (int attempt = 0; attempt < 100 && !found; ++attempt) {
            found = Listed(Quorvel::App::Platform::ListProcessExecutables(), child);
            if (!found) ::Sleep(50);
        }
        Check(found, "a started child is listed under its path");
        Stop(info);
    }
    ::DeleteFileW(child.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

void TestOpenWindowCheck() {
    Check(StillWaiting(), "no window: still waiting");

    PROCESS_INFORMATION info = {};
    const bool started = Start(OwnPath(), L"--window", info);
    bool shown = false;
    for (int attempt = 0; started && attempt < 100 && !shown; ++attempt) {
        shown = ShowsWindow(info.dwProcessId);
        if (!shown) ::Sleep(50);
    }
    Check(shown, "another process shows a window");
    Check(StillWaiting(), "a visible window of another process: still waiting");
    if (started) Stop(info);

    const HWND window = MakeWindow();
    Check(window != nullptr, "this process makes a window");
    Check(StillWaiting(), "a hidden window of this process: still waiting");
    ::ShowWindow(window, SW_SHOW);
    Check(!StillWaiting(), "a shown window of this process ends the wait");
    ::ShowWindow(window, SW_HIDE);
    Check(StillWaiting(), "hidden again: still waiting");
    ::DestroyWindow(window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--window") {
        ::ShowWindow(MakeWindow(), SW_SHOW);
    }
    if (argc > 1) {  // --sleep or --window: a child that waits to be stopped
        ::Sleep(INFINITE);
        return 0;
    }
    TestProcessList();
    TestOpenWindowCheck();
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
