// Exercises the Windows file check without Qt; built by mingw-w64 and run under wine.

#include "../../../testsupport/win/WinCheck.h"
#include "RegularFile.h"

#include <io.h>
#include <windows.h>

#include <string>

namespace {

using Quorvel::Reading::Platform::OpenRegularFile;
using Outcome = Quorvel::Reading::Platform::RegularFile::Outcome;

std::string Utf8(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"quorvel-\u00e9-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\ten.json";
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(handle, "0123456789", 10, &written, nullptr);
    ::CloseHandle(handle);

    const auto read = OpenRegularFile(Utf8(file), 10, true);
    Check(read.outcome == Outcome::Read && read.bytes == "0123456789",
          "a file within its limit is read whole, by a UTF-8 path");
    Check(OpenRegularFile(Utf8(file), 9, true).outcome == Outcome::Refused,
          "a file above its limit is refused");
    Check(OpenRegularFile(Utf8(folder + L"\\none.json"), 10, true).outcome == Outcome::Missing,
          "a missing file is missing");
    const auto directory = OpenRegularFile(Utf8(folder), 10, true);
    Check(directory.outcome == Outcome::Refused &&
              directory.problem.find("folder") != std::string::npos,
          "a folder is refused as a folder");
    Check(OpenRegularFile(Utf8(folder + L"\\NUL"), 10, true).outcome == Outcome::Refused,
          "a device name is refused without waiting");

    const auto output = Quorvel::Reading::Platform::OpenRegularFileForWriting(Utf8(file));
    Check(output.descriptor >= 0 && ::_write(output.descriptor, "ab", 2) == 2 &&
              ::_close(output.descriptor) == 0 &&
              OpenRegularFile(Utf8(file), 10, true).bytes == "ab",
          "a file opened for writing is emptied first and takes what is written");
    Check(Quorvel::Reading::Platform::OpenRegularFileForWriting(Utf8(folder)).descriptor < 0,
          "a folder is not opened for writing");
    Check(
        Quorvel::Reading::Platform::OpenRegularFileForWriting(Utf8(folder + L"\\NUL")).descriptor <
            0,
        "a device is not opened for writing");

    // The folder goes only when nothing but the replaced file is left in it.
    Check(Quorvel::Reading::Platform::ReplaceRegularFile(Utf8(file), "new").empty() &&
              OpenRegularFile(Utf8(file), 10, true).bytes == "new" && ::DeleteFileW(file.c_str()) &&
              ::RemoveDirectoryW(folder.c_str()),
          "a file is replaced whole, and nothing is left beside it");
    return Finish();
}
