#pragma once

// Plain C++ on purpose: the Windows backend is also built without Qt by the mingw check.

#include <memory>
#include <string>

namespace Quorvel::Platform {

// One process-wide named lock, held at most once across all processes of the session.
class IAppMutexBackend {
public:
    enum class Result {
        Locked,      // held by this object now (also when it already was)
        Busy,        // held by someone else
        Unavailable  // the lock cannot be made at all; Problem() says why
    };

    virtual ~IAppMutexBackend() = default;
    virtual Result TryLock() = 0;
    // Releases a held lock; does nothing otherwise.
    virtual void Unlock() = 0;
    // After Unavailable: what stood in the way, naming the file or call.
    virtual const std::string& Problem() const = 0;
};

// `name` is UTF-8. Creating the backend takes nothing yet.
std::unique_ptr<IAppMutexBackend> CreateAppMutexBackend(const std::string& name);

}  // namespace Quorvel::Platform
