// Exercises the Qt-free Windows process lister, open-window check, access violation and quit
// requests; built by mingw-w64 and run under wine.

#include "../../../testsupport/win/WinCheck.h"
#include "AccessViolation.h"
#include "OpenWindowCheck.h"
#include "ProcessLister.h"
#include "QuitRequests.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <string>
#include <thread>

namespace {

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
    PROCESS_INFORMATION info;
    const bool started = StartProcess(L"\"" + child + L"\" --sleep", info);
    Check(started, "the child starts");
    if (started) {
        ::WaitForInputIdle(info.hProcess, 5000);
        bool found = false;
        // It may take a moment before the child's module is mapped.
        for (int attempt = 0; attempt < 100 && !found; ++attempt) {
            found = Listed(Quorvel::App::Platform::ListProcessExecutables(), child);
            if (!found) ::Sleep(50);
        }
        Check(found, "a started child is listed under its path");
        ::TerminateProcess(info.hProcess, 0);
        ::WaitForSingleObject(info.hProcess, 10000);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    ::DeleteFileW(child.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

// A real window of this process ends the wait only while it is shown.
void TestOpenWindowCheck() {
    const auto stillWaiting = [] {
        std::atomic<bool> waiting{true};
        Quorvel::App::Platform::CheckForOpenWindow(waiting);
        return waiting.load();
    };
    Check(stillWaiting(), "no window: still waiting");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = L"QuorvelWaiterTest";
    ::RegisterClassW(&windowClass);
    const HWND window =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"Waiter test", WS_OVERLAPPEDWINDOW, 0, 0,
                          200, 100, nullptr, nullptr, nullptr, nullptr);
    Check(window != nullptr, "a window is made");
    Check(stillWaiting(), "a hidden window: still waiting");
    ::ShowWindow(window, SW_SHOW);
    Check(!stillWaiting(), "a shown window ends the wait");
    ::ShowWindow(window, SW_HIDE);
    Check(stillWaiting(), "hidden again: still waiting");
    ::DestroyWindow(window);
}

// A copy of this program faults on the chosen thread and ends with the access-violation code.
void TestAccessViolation() {
    for (const std::wstring thread : {L"main", L"background"}) {
        Check(RunProcess(L"\"" + OwnPath() + L"\" --crash " + thread) == EXCEPTION_ACCESS_VIOLATION,
              "a fault ends with the access-violation code");
    }
}

// Wine delivers no console control events, so only the taking over is checked here.
void TestQuitRequests() {
    std::string problem;
    auto requests = Quorvel::App::Platform::TakeOverQuitRequests(problem);
    Check(requests != nullptr, "the console's quit requests are taken over");
    if (!requests) {
        return;
    }
    const auto event = reinterpret_cast<HANDLE>(requests->Handle());
    Check(::WaitForSingleObject(event, 0) == WAIT_TIMEOUT && requests->Take().empty(),
          "no request before one comes");
    std::string second;
    Check(!Quorvel::App::Platform::TakeOverQuitRequests(second) && !second.empty(),
          "a second taker is refused, with a reason");
    requests.reset();
    Check(Quorvel::App::Platform::TakeOverQuitRequests(problem) != nullptr,
          "given back, they can be taken again");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--sleep") {
        ::Sleep(INFINITE);
        return 0;
    }
    if (argc > 2 && std::wstring(argv[1]) == L"--crash") {
        // No error box or debugger: the fault simply ends the process, as crash reporting sees it.
        ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        if (std::wstring(argv[2]) == L"main") {
            Quorvel::App::Platform::RaiseAccessViolation();
        }
        std::thread([] { Quorvel::App::Platform::RaiseAccessViolation(); }).join();
        return 0;
    }
    TestProcessList();
    TestOpenWindowCheck();
    TestAccessViolation();
    TestQuitRequests();
    return Finish();
}
