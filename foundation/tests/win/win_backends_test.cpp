// Exercises the Windows backends without Qt; built by mingw-w64 and run under wine.

#include "../../../testsupport/win/WinCheck.h"
#include "IAppMutexBackend.h"
#include "IDyLibBackend.h"

#include <Quorvel/ioPath.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

void TestMutex() {
    // Unique per run, so that a stray process of an earlier run cannot interfere.
    const std::string pid = std::to_string(::GetCurrentProcessId());
    const std::string name = "{quorvel-win-test}-" + pid + "-\xC3\xA9";
    auto first = Quorvel::Platform::CreateAppMutexBackend(name);
    auto second = Quorvel::Platform::CreateAppMutexBackend(name);
    auto other = Quorvel::Platform::CreateAppMutexBackend(name + "-other");

    using Result = Quorvel::Platform::IAppMutexBackend::Result;
    Check(first->TryLock() == Result::Locked && first->TryLock() == Result::Locked,
          "a free mutex is taken, and again while held");
    Check(second->TryLock() == Result::Busy, "a second locker is refused while the first holds");
    Check(other->TryLock() == Result::Locked, "a different name is independent");
    // The name must reach Windows as UTF-16, not as ANSI bytes.
    const std::wstring wide =
        L"{quorvel-win-test}-" + std::wstring(pid.begin(), pid.end()) + L"-\u00E9";
    HANDLE probe = ::OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
    Check(probe != nullptr, "the mutex exists under its UTF-16 name");
    if (probe) ::CloseHandle(probe);

    first->Unlock();
    Check(second->TryLock() == Result::Locked, "the second locker succeeds after Unlock");
    second.reset();
    Check(first->TryLock() == Result::Locked, "destroying the holder releases the mutex");
}

void TestDyLib() {
    auto lib = Quorvel::Platform::CreateDyLibBackend();
    Check(!lib->IsOpen() && !lib->GetProc("GetCurrentProcessId"), "nothing is open at first");
    Check(lib->Open(L"kernel32.dll"), "kernel32.dll opens");
    void* proc = lib->GetProc("GetCurrentProcessId");
    DWORD(WINAPI * getPid)() = nullptr;
    static_assert(sizeof(getPid) == sizeof(proc), "pointer sizes differ");
    std::memcpy(&getPid, &proc, sizeof(proc));
    Check(getPid && getPid() == ::GetCurrentProcessId(), "an entry is called through its address");
    Check(!lib->GetProc("NoSuchEntryPoint_quorvel"), "a missing entry is null");
    Check(!lib->Open(L"quorvel-no-such-library.dll"), "a missing DLL does not open");
    Check(!lib->IsOpen() && !lib->GetProc("GetCurrentProcessId"), "a failed open leaves nothing");
    Check(!lib->LastError().empty(), "a failed open says why");
    Check(lib->Open(L"kernel32.dll"), "kernel32.dll opens again");
    lib->Close();
    Check(!lib->IsOpen(), "closing releases the library");
}

// ioPath has to turn UTF-8 into UTF-16 and back on Windows.
void TestIoPath() {
    const Quorvel::ioPath path = Quorvel::ioPath("C:/d\xC3\xA9j\xC3\xA0") / "\xE6\x9A\x97.json";
    Check(path.platformString() == L"C:/d\u00E9j\u00E0\\\u6697.json", "UTF-16 for Windows");
    Check(path.utf8string() == "C:/d\xC3\xA9j\xC3\xA0\\\xE6\x9A\x97.json", "the same UTF-8 back");
    Check(path.filename().utf8string() == "\xE6\x9A\x97.json", "filename in UTF-8");

    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const Quorvel::ioPath directory =
        Quorvel::ioPath(std::filesystem::path(temp)) /
        ("quorvel-\xC3\xA9-" + std::to_string(::GetCurrentProcessId()));
    const DWORD attributes = directory.create_directories()
                                 ? ::GetFileAttributesW(directory.platformString().c_str())
                                 : INVALID_FILE_ATTRIBUTES;
    Check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
          "a UTF-8 named directory is made, and Windows sees it under its UTF-16 name");
    ::RemoveDirectoryW(directory.platformString().c_str());
}

}  // namespace

int main() {
    TestMutex();
    TestDyLib();
    TestIoPath();
    return Finish();
}
