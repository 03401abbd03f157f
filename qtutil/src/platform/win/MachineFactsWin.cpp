#include "MachineFacts.h"

#include <windows.h>

namespace Quorvel::Util::Platform {

namespace {

std::string ReadProcessorName() {
    wchar_t name[256] = {};
    DWORD size = sizeof(name);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                     L"ProcessorNameString", RRF_RT_REG_SZ, nullptr, name,
                     &size) != ERROR_SUCCESS) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name, -1, &utf8[0], length, nullptr, nullptr);
    const auto first = utf8.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : utf8.substr(first);
}

}  // namespace

MachineFacts ReadMachineFacts() {
    MachineFacts facts;
    facts.processor = ReadProcessorName();
    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    facts.logicalCores = info.dwNumberOfProcessors;
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof(memory);
    if (GlobalMemoryStatusEx(&memory)) {
        facts.memoryBytes = memory.ullTotalPhys;
    }
    return facts;
}

}  // namespace Quorvel::Util::Platform
