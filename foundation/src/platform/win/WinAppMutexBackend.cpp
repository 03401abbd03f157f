#include "IAppMutexBackend.h"

#include <windows.h>

namespace Quorvel::Platform {

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

// The installer and the products agree on "the mutex exists" as the signal: whoever creates
// the named mutex holds it until its handle is closed.
class WinAppMutexBackend final : public IAppMutexBackend {
public:
    explicit WinAppMutexBackend(const std::string& name) : m_name(Utf8ToWide(name)) {}

    ~WinAppMutexBackend() override { Unlock(); }

    Result TryLock() override {
        if (m_handle) {
            return Result::Locked;
        }
        HANDLE handle = ::CreateMutexW(nullptr, FALSE, m_name.c_str());
        const DWORD error = ::GetLastError();
        if (!handle) {
            // A mutex of an elevated installer exists but may not be opened by us.
            if (error == ERROR_ACCESS_DENIED) {
                return Result::Busy;
            }
            m_problem = "CreateMutexW failed with error " + std::to_string(error);
            return Result::Unavailable;
        }
        if (error == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(handle);
            return Result::Busy;
        }
        m_handle = handle;
        return Result::Locked;
    }

    void Unlock() override {
        if (m_handle) {
            ::CloseHandle(m_handle);
            m_handle = nullptr;
        }
    }

    const std::string& Problem() const override { return m_problem; }

private:
    std::wstring m_name;
    HANDLE m_handle = nullptr;
    std::string m_problem;
};

}  // namespace

std::unique_ptr<IAppMutexBackend> CreateAppMutexBackend(const std::string& name) {
    return std::make_unique<WinAppMutexBackend>(name);
}

}  // namespace Quorvel::Platform
