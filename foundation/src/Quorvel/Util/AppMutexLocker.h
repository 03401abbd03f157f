#pragma once

#include <Quorvel/FoundationExport.h>

#include <memory>
#include <string>

namespace Quorvel::Util {

/// A lock named across all processes of the session: products and their installer use it to
/// see whether another instance runs. The lock is released when the locker is destroyed and,
/// on every platform, when its process ends however it ends. On Linux the lock is a file in
/// $XDG_RUNTIME_DIR, or else in a folder of the user's own in the temp folder ("quorvel-\<uid\>",
/// mode 0700); a link, a FIFO or another user's file in its place is refused.
class QUORVEL_FOUNDATION_EXPORT AppMutexLocker {
public:
    /// `name` is UTF-8 and may hold any character. Nothing is locked yet.
    explicit AppMutexLocker(const std::string& name);
    ~AppMutexLocker();
    AppMutexLocker(const AppMutexLocker&) = delete;
    AppMutexLocker& operator=(const AppMutexLocker&) = delete;

    /// True when the named lock was free and is now held by this locker, or this locker
    /// already held it. False while anyone else, in this process or another, holds it, and
    /// when the lock cannot be made at all (logged once as an ERROR).
    bool TryLockAppMutex();
    /// Whether the last TryLockAppMutex failed because the lock cannot be made (its file is
    /// refused or its folder is not private), which says nothing about another holder.
    bool IsUnavailable() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::Util
