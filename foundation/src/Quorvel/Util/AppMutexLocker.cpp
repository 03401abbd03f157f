#include <Quorvel/Util/AppMutexLocker.h>

#include "IAppMutexBackend.h"

#include <glog/logging.h>

namespace Quorvel::Util {

struct AppMutexLocker::Impl {
    std::string name;
    std::unique_ptr<Platform::IAppMutexBackend> backend;
    bool unavailable = false;
    bool reported = false;
};

AppMutexLocker::AppMutexLocker(const std::string& name)
    : m_impl(std::make_unique<Impl>(Impl{name, Platform::CreateAppMutexBackend(name)})) {}

AppMutexLocker::~AppMutexLocker() = default;

bool AppMutexLocker::TryLockAppMutex() {
    using Result = Platform::IAppMutexBackend::Result;
    const Result result = m_impl->backend->TryLock();
    m_impl->unavailable = result == Result::Unavailable;
    if (m_impl->unavailable && !m_impl->reported) {
        m_impl->reported = true;
        LOG(ERROR) << "The named lock \"" << m_impl->name
                   << "\" cannot be made: " << m_impl->backend->Problem();
    }
    return result == Result::Locked;
}

bool AppMutexLocker::IsUnavailable() const { return m_impl->unavailable; }

}  // namespace Quorvel::Util
