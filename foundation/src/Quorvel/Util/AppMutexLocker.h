#pragma once

#include <Quorvel/FoundationExport.h>

#include <memory>
#include <string>

namespace Quorvel::Util {

// A lock named across all processes of the session: products and their installer use it to
// see whether another instance runs. The lock is released when the locker is destroyed and,
// on every platform, when its process ends however it ends.
class QUORVEL_FOUNDATION_EXPORT AppMutexLocker {
public:
    // `name` is UTF-8 and may hold any character. Nothing is locked yet.
    explicit AppMutexLocker(const std::string& name);
    ~AppMutexLocker();
    AppMutexLocker(const AppMutexLocker&) = delete;
    AppMutexLocker& operator=(const AppMutexLocker&) = delete;

    // True when the named lock was free and is now held by this locker, or this locker
    // already held it. False while anyone else, in this process or another, holds it.
    bool TryLockAppMutex();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::Util
