#include "ProcessLister.h"

#include <windows.h>

// The K32 entry points of kernel32, without psapi.dll.
#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2
#endif
#include <psapi.h>

namespace Quorvel::App::Platform {

std::vector<NativePath> ListProcessExecutables() {
    std::vector<NativePath> paths;
    // A fixed buffer of 4096 bytes: at most 1024 processes are listed.
    DWORD ids[1024] = {};
    DWORD bytes = 0;
    if (!::K32EnumProcesses(ids, sizeof ids, &bytes)) {
        return paths;
    }
    const DWORD count = bytes / sizeof(DWORD);
    paths.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH] = {};
        // PROCESS_QUERY_INFORMATION | PROCESS_VM_READ
        if (HANDLE process = ::OpenProcess(0x410, FALSE, ids[i])) {
            ::K32GetModuleFileNameExW(process, nullptr, name, MAX_PATH);
            ::CloseHandle(process);
        }
        // Up to the first null: a name cut at the buffer's end carries no terminator.
        size_t length = 0;
        while (length < MAX_PATH && name[length] != L'\0') {
            ++length;
        }
        paths.emplace_back(name, length);
    }
    return paths;
}

}  // namespace Quorvel::App::Platform
