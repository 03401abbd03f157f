#pragma once

// Plain C++ on purpose: the Windows backend also gets a mingw check without Qt.

#include <cstdint>
#include <string>

namespace Quorvel::Platform {

// Where the primary instance of a product listens for later launches.
struct HandoverEndpoint {
    std::string serverName;  // the name QLocalServer listens on; empty when none can be had
    std::string problem;     // why serverName is empty
    std::string passedOver;  // a private place of this user's that was refused on the way
};

// The endpoint for `name` (short, of file-name characters only): the same for every process
// of this user, never shared with another user.
HandoverEndpoint FindHandoverEndpoint(const std::string& name);

// Called while holding the instance lock, before listening: removes what a killed primary
// left at serverName. False, saying why, when something else than such a leftover is there.
bool ClearStaleEndpoint(const std::string& serverName, std::string& problem);

// Whether the process at the other end of a connected local socket (a socket descriptor, or
// a pipe handle on Windows) runs as this user; `peer` names it for the log.
bool IsPeerOfThisUser(std::intptr_t descriptor, std::string& peer);

}  // namespace Quorvel::Platform
