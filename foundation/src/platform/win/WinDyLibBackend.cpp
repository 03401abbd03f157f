#include "IDyLibBackend.h"

#include <windows.h>

#include <cstring>

namespace Quorvel::Platform {

namespace {

class WinDyLibBackend final : public IDyLibBackend {
public:
    ~WinDyLibBackend() override { Close(); }

    bool Open(const NativePathString& path) override {
        Close();
        m_module = ::LoadLibraryW(path.c_str());
        if (!m_module) {
            m_lastError = "LoadLibraryW failed, error " + std::to_string(::GetLastError());
            return false;
        }
        m_lastError.clear();
        return true;
    }

    void Close() override {
        if (m_module) {
            ::FreeLibrary(m_module);
            m_module = nullptr;
        }
    }

    bool IsOpen() const override { return m_module != nullptr; }

    void* GetProc(const char* name) const override {
        if (!m_module || !name) {
            return nullptr;
        }
        const FARPROC proc = ::GetProcAddress(m_module, name);
        // Function and object pointers have the same size on Windows; copying avoids a
        // cast between unrelated pointer kinds.
        void* address = nullptr;
        static_assert(sizeof(address) == sizeof(proc), "pointer sizes differ");
        std::memcpy(&address, &proc, sizeof(address));
        return address;
    }

    std::string LastError() const override { return m_lastError; }

private:
    HMODULE m_module = nullptr;
    std::string m_lastError;
};

}  // namespace

std::unique_ptr<IDyLibBackend> CreateDyLibBackend() { return std::make_unique<WinDyLibBackend>(); }

}  // namespace Quorvel::Platform
