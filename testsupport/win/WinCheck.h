#pragma once

// One PASS or FAIL line per check, for the checks of the Windows code that mingw-w64 builds
// without Qt and wine runs; and the programs they start.

#include <windows.h>

#include <cstdio>
#include <string>

inline int g_failures = 0;

inline void Check(bool condition, const char* what, const std::string& detail = {}) {
    std::printf("%s: %s%s%s\n", condition ? "PASS" : "FAIL", what, detail.empty() ? "" : ": ",
                detail.c_str());
    g_failures += condition ? 0 : 1;
}

// The exit code of the check program: 0 when nothing failed.
inline int Finish() {
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}

// Starts `commandLine`, the program first; the handles in `info` are the caller's to close.
inline bool StartProcess(std::wstring commandLine, PROCESS_INFORMATION& info) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    info = {};
    return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info) != 0;
}

// Runs `commandLine` to its end, 30 s at the most: its exit code, 1 when it does not start.
inline DWORD RunProcess(const std::wstring& commandLine) {
    PROCESS_INFORMATION info;
    DWORD code = 1;
    if (StartProcess(commandLine, info)) {
        ::WaitForSingleObject(info.hProcess, 30000);
        ::GetExitCodeProcess(info.hProcess, &code);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    return code;
}
