#include "IDyLibBackend.h"

#include <dlfcn.h>

namespace Quorvel::Platform {

namespace {

class PosixDyLibBackend final : public IDyLibBackend {
public:
    ~PosixDyLibBackend() override { Close(); }

    bool Open(const NativePathString& path) override {
        Close();
        m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            const char* error = ::dlerror();
            m_lastError = error ? error : "dlopen failed";
            return false;
        }
        m_lastError.clear();
        return true;
    }

    void Close() override {
        if (m_handle) {
            ::dlclose(m_handle);
            m_handle = nullptr;
        }
    }

    bool IsOpen() const override { return m_handle != nullptr; }

    void* GetProc(const char* name) const override {
        if (!m_handle || !name) {
            return nullptr;
        }
        return ::dlsym(m_handle, name);
    }

    std::string LastError() const override { return m_lastError; }

private:
    void* m_handle = nullptr;
    std::string m_lastError;
};

}  // namespace

std::unique_ptr<IDyLibBackend> CreateDyLibBackend() {
    return std::make_unique<PosixDyLibBackend>();
}

}  // namespace Quorvel::Platform
