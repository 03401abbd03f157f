#include <Quorvel/Util/AppMutexLocker.h>

#include "IAppMutexBackend.h"

namespace Quorvel::Util {

struct AppMutexLocker::Impl {
    std::unique_ptr<Platform::IAppMutexBackend> backend;
};

AppMutexLocker::AppMutexLocker(const std::string& name)
    : m_impl(std::make_unique<Impl>(Impl{Platform::CreateAppMutexBackend(name)})) {}

AppMutexLocker::~AppMutexLocker() = default;

bool AppMutexLocker::TryLockAppMutex() { return m_impl->backend->TryLock(); }

}  // namespace Quorvel::Util
