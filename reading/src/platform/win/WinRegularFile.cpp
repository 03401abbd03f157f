#include "RegularFile.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>

namespace Quorvel::Reading::Platform {

namespace {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string LastError() { return "error " + std::to_string(::GetLastError()); }

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    HANDLE Release() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE m_handle;
};

}  // namespace

WritableFile OpenRegularFileForWriting(const std::string& utf8Path) {
    const std::wstring path = Utf8ToWide(utf8Path);
    // OPEN_REPARSE_POINT: a link in the file's place is opened itself, and refused below.
    Handle file(::CreateFileW(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return {-1, "the file cannot be opened for writing: " + LastError()};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.get(), &info)) {
        return {-1, "this is a device or a pipe, not a regular file"};
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return {-1, "the file is a link"};
    }
    if (!::SetEndOfFile(file.get())) {
        return {-1, "the file cannot be emptied: " + LastError()};
    }
    const int descriptor =
        ::_open_osfhandle(reinterpret_cast<intptr_t>(file.get()), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        return {-1, "the file cannot be handed over: " + LastError()};
    }
    file.Release();  // the descriptor owns it now
    return {descriptor, {}};
}

std::string ReplaceRegularFile(const std::string& utf8Path, const std::string& bytes) {
    static std::atomic<unsigned> s_serial{0};
    const std::wstring path = Utf8ToWide(utf8Path);
    const size_t slash = path.find_last_of(L"/\\");
    const size_t start = slash == std::wstring::npos ? 0 : slash + 1;
    const std::wstring prefix = path.substr(0, start) + L"." + path.substr(start) + L".new-" +
                                std::to_wstring(::GetCurrentProcessId()) + L"-";
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 8 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = prefix + std::to_wstring(s_serial++);
        created = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (created == INVALID_HANDLE_VALUE) {
        return "no new file can be made beside it: " + LastError();
    }
    std::string problem;
    {
        const Handle file(created);
        for (size_t done = 0; done < bytes.size() && problem.empty();) {
            DWORD count = 0;
            const auto wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            if (!::WriteFile(file.get(), bytes.data() + done, wanted, &count, nullptr) ||
                count == 0) {
                problem = "its new content cannot be written: " + LastError();
            }
            done += count;
        }
        if (problem.empty() && !::FlushFileBuffers(file.get())) {
            problem = "its new content cannot reach the disk: " + LastError();
        }
    }
    if (problem.empty() && !::MoveFileExW(temporary.c_str(), path.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        problem = "its new content cannot take its place: " + LastError();
    }
    if (!problem.empty()) {
        ::DeleteFileW(temporary.c_str());
    }
    return problem;
}

RegularFile OpenRegularFile(const std::string& utf8Path, std::uint64_t limit, bool read) {
    const std::wstring path = Utf8ToWide(utf8Path);
    // A device name ("CON", "COM1") or a pipe opens without waiting; what it is shows in the
    // handle's type, checked below.
    const Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {RegularFile::Outcome::Missing, {}, "the file does not exist"};
        }
        // Folders open only with FILE_FLAG_BACKUP_SEMANTICS, so they end here.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return Refused("this is a folder, not a file");
        }
        return Refused("the file cannot be opened: error " + std::to_string(error));
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return Refused("this is a device or a pipe, not a regular file");
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return Refused("the file cannot be examined: " + LastError());
    }
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    if (bytes > limit) {
        return TooLarge(bytes, limit);
    }
    if (!read) {
        return {RegularFile::Outcome::Read, {}, {}};
    }
    return ReadToEnd(
        bytes, limit,
        [&file](char* buffer, size_t room) -> long long {
            DWORD count = 0;
            const auto wanted = static_cast<DWORD>(std::min<size_t>(room, 1u << 30));
            return ::ReadFile(file.get(), buffer, wanted, &count, nullptr) ? count : -1;
        },
        LastError);
}

}  // namespace Quorvel::Reading::Platform
