#pragma once

#include <utility>

namespace Quorvel::Core {

/// Runs each observer call at once, on the notifying thread.
struct SyncExecutePolicy {
    /// Calls `call` now; an exception leaves through the notification.
    template <class Call>
    static void Execute(Call&& call) {
        std::forward<Call>(call)();
    }
};

}  // namespace Quorvel::Core
