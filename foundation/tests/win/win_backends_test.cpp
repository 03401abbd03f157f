// Exercises the Windows backends without Qt; built by mingw-w64 and run under wine.

#include "IAppMutexBackend.h"
#include "IDyLibBackend.h"

#include <Quorvel/ioPath.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int g_failures = 0;

void Check(bool condition, const char* what) {
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what);
    if (!condition) {
        ++g_failures;
    }
}

using Quorvel::Platform::CreateAppMutexBackend;
using Quorvel::Platform::CreateDyLibBackend;

void TestMutex() {
    // Unique per run so that a stray process from an earlier run cannot interfere.
    const std::string name =
        "{quorvel-win-test}-" + std::to_string(::GetCurrentProcessId()) + "-\xC3\xA9";
    auto first = CreateAppMutexBackend(name);
    auto second = CreateAppMutexBackend(name);
    auto other = CreateAppMutexBackend(name + "-other");

    Check(first->TryLock(), "first locker takes a free mutex");
    Check(first->TryLock(), "locking again while holding succeeds");
    Check(!second->TryLock(), "second locker is refused while the first holds");
    Check(other->TryLock(), "a different name is independent");

    // The name must reach Windows as UTF-16, not as ANSI bytes.
    std::wstring wide =
        L"{quorvel-win-test}-" + std::to_wstring(::GetCurrentProcessId()) + L"-\u00E9";
    HANDLE probe = ::OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
    Check(probe != nullptr, "the mutex exists under its UTF-16 name");
    if (probe) {
        ::CloseHandle(probe);
    }

    first->Unlock();
    Check(second->TryLock(), "second locker succeeds after release");
    Check(!first->TryLock(), "first locker is refused now");
    second.reset();
    Check(first->TryLock(), "destroying the holder releases the mutex");
}

void TestDyLib() {
    auto lib = CreateDyLibBackend();
    Check(!lib->IsOpen(), "nothing is open at first");
    Check(lib->GetProc("GetTickCount") == nullptr, "no entry without a library");
    Check(lib->Open(L"kernel32.dll"), "kernel32.dll opens");
    void* proc = lib->GetProc("GetTickCount");
    Check(proc != nullptr, "GetTickCount is found");
    if (proc) {
        DWORD(WINAPI * getTickCount)() = nullptr;
        static_assert(sizeof(getTickCount) == sizeof(proc), "pointer sizes differ");
        std::memcpy(&getTickCount, &proc, sizeof(proc));
        const DWORD viaAddress = getTickCount();
        const DWORD direct = ::GetTickCount();
        Check(direct >= viaAddress, "GetTickCount can be called through the address");
    }
    Check(lib->GetProc("NoSuchEntryPoint_quorvel") == nullptr, "a missing entry is null");
    Check(!lib->Open(L"quorvel-no-such-library.dll"), "a missing DLL does not open");
    Check(!lib->IsOpen(), "a failed open leaves nothing loaded");
    Check(!lib->LastError().empty(), "a failed open says why");
    Check(lib->GetProc("GetTickCount") == nullptr, "no entry after a failed open");
    Check(lib->Open(L"kernel32.dll"), "kernel32.dll opens again");
    lib->Close();
    Check(!lib->IsOpen(), "closing releases the library");
}

// ioPath is plain C++ too; on Windows it has to turn UTF-8 into UTF-16 and back.
void TestIoPath() {
    const Quorvel::ioPath path = Quorvel::ioPath("C:/d\xC3\xA9j\xC3\xA0") / "\xE6\x9A\x97.json";
    Check(path.platformString() == L"C:/d\u00E9j\u00E0\\\u6697.json",
          "ioPath gives UTF-16 to Windows");
    Check(path.utf8string() == "C:/d\xC3\xA9j\xC3\xA0\\\xE6\x9A\x97.json",
          "ioPath gives the same UTF-8 back");
    Check(path.filename().utf8string() == "\xE6\x9A\x97.json", "ioPath filename in UTF-8");

    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, temp);
    Check(length > 0, "a temp directory exists");
    const Quorvel::ioPath directory =
        Quorvel::ioPath(std::filesystem::path(temp)) /
        ("quorvel-\xC3\xA9-" + std::to_string(::GetCurrentProcessId())) / "\xE6\x9A\x97";
    Check(directory.create_directories(), "ioPath creates a UTF-8 named directory");
    const DWORD attributes = ::GetFileAttributesW(directory.platformString().c_str());
    Check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
          "Windows sees the directory under its UTF-16 name");
    Check(directory.exists(), "ioPath sees it too");
    ::RemoveDirectoryW(directory.platformString().c_str());
    ::RemoveDirectoryW(directory.parent_path().platformString().c_str());
}

}  // namespace

int main() {
    TestMutex();
    TestDyLib();
    TestIoPath();
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
