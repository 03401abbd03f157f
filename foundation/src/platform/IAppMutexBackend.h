#pragma once

// Plain C++ on purpose: the Windows backend is also built without Qt by the mingw check.

#include <memory>
#include <string>

namespace Quorvel::Platform {

// One process-wide named lock, held at most once across all processes of the session.
class IAppMutexBackend {
public:
    virtual ~IAppMutexBackend() = default;
    // True when the lock is held by this object now (also when it already was).
    virtual bool TryLock() = 0;
    // Releases a held lock; does nothing otherwise.
    virtual void Unlock() = 0;
};

// `name` is UTF-8. Creating the backend takes nothing yet.
std::unique_ptr<IAppMutexBackend> CreateAppMutexBackend(const std::string& name);

}  // namespace Quorvel::Platform
