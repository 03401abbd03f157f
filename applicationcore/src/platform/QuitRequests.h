#pragma once

// Kept free of Qt so that the Windows backend builds and runs on its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quorvel::App::Platform {

// The requests from outside to end the process (POSIX: SIGTERM, SIGINT and SIGHUP; Windows:
// Ctrl+C and Ctrl+Break on the console), taken from their previous handlers while this object
// lives. A handler only notes the request and wakes whoever watches Handle(); the requests are
// taken on that thread.
class QuitRequests {
public:
    // Gives the requests back to their previous handlers.
    virtual ~QuitRequests() = default;
    // POSIX: a descriptor that becomes readable; Windows: an event that becomes signalled.
    virtual std::intptr_t Handle() const = 0;
    // The requests noted since the last call, by name ("SIGTERM"), oldest first.
    virtual std::vector<std::string> Take() = 0;
};

// One at a time in a process: empty, with `problem` set, while another one lives or when the
// handlers cannot be installed.
std::unique_ptr<QuitRequests> TakeOverQuitRequests(std::string& problem);

}  // namespace Quorvel::App::Platform
