#include "AccessViolation.h"

#include <csignal>
#include <cstdlib>

namespace Quorvel::App::Platform {

// The undefined-behaviour sanitizer would report the null store instead of letting it fault.
__attribute__((no_sanitize("null"))) void RaiseAccessViolation() {
    // Both volatile: the compiler may neither see the null (and emit a trap instead) nor drop
    // the store.
    volatile int* volatile target = nullptr;
    *target = 0;
    // Only where page zero is mapped does the store succeed.
    std::raise(SIGSEGV);
    std::abort();
}

}  // namespace Quorvel::App::Platform
