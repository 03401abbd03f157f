#include "AccessViolation.h"

#include <windows.h>

namespace Quorvel::App::Platform {

void RaiseAccessViolation() {
    // The system's own exception for a bad memory access, raised on this thread.
    ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    // Not continuable, so nothing comes back here; the compiler does not know that.
    ::ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}

}  // namespace Quorvel::App::Platform
