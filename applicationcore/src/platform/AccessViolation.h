#pragma once

// Kept free of Qt so that the Windows backend builds and runs on its own.

namespace Quorvel::App::Platform {

// Faults the calling thread with an access violation, so that the process ends as a bad
// memory access ends it and the crash handler reports it on this thread. Never returns.
[[noreturn]] void RaiseAccessViolation();

}  // namespace Quorvel::App::Platform
