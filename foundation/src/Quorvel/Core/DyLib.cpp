#include <Quorvel/Core/DyLib.h>

#include "IDyLibBackend.h"

#include <glog/logging.h>

namespace Quorvel::Core {

struct DyLib::Impl {
    std::unique_ptr<Platform::IDyLibBackend> backend = Platform::CreateDyLibBackend();
};

DyLib::DyLib() : m_impl(std::make_unique<Impl>()) {}
DyLib::~DyLib() = default;
DyLib::DyLib(DyLib&&) noexcept = default;
DyLib& DyLib::operator=(DyLib&&) noexcept = default;

bool DyLib::Open(const Quorvel::ioPath& path) {
    if (!m_impl) {
        m_impl = std::make_unique<Impl>();
    }
    if (path.empty()) {
        // dlopen would take an empty name as the program itself.
        m_impl->backend->Close();
        return false;
    }
    if (m_impl->backend->Open(path.platformString())) {
        return true;
    }
    // Verbose only: optional libraries (Windows-only ones among them) are probed routinely.
    VLOG(1) << "Cannot load " << path.utf8string() << ": " << m_impl->backend->LastError();
    return false;
}

void DyLib::Close() {
    if (m_impl) {
        m_impl->backend->Close();
    }
}

bool DyLib::IsOpen() const { return m_impl && m_impl->backend->IsOpen(); }

void* DyLib::GetProc(const char* name) const {
    return m_impl ? m_impl->backend->GetProc(name) : nullptr;
}

}  // namespace Quorvel::Core
