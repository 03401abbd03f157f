#include "IHandoverPlatform.h"

#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/Detail/PrivateRuntimeFolder.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Quorvel::Platform {

namespace {

std::string Quoted(const std::string& path) { return "[" + Reading::LogText(path) + "]"; }

}  // namespace

HandoverEndpoint FindHandoverEndpoint(const std::string& name) {
    const Util::Detail::PrivateRuntimeFolder folder = Util::Detail::FindPrivateRuntimeFolder();
    HandoverEndpoint endpoint;
    endpoint.passedOver = folder.passedOver;
    if (folder.path.empty()) {
        endpoint.problem = folder.problem;
    } else {
        endpoint.serverName = (folder.path / name).string();
    }
    return endpoint;
}

bool ClearStaleEndpoint(const std::string& serverName, std::string& problem) {
    struct stat info {};
    if (::lstat(serverName.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return true;
        }
        problem = "the socket path " + Quoted(serverName) +
                  " cannot be examined: " + std::strerror(errno);
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        problem = "the socket path " + Quoted(serverName) + " is a symbolic link";
    } else if (!S_ISSOCK(info.st_mode) || info.st_uid != ::geteuid()) {
        problem = "the socket path " + Quoted(serverName) + " is not a socket of this user";
    } else if (::unlink(serverName.c_str()) != 0 && errno != ENOENT) {
        problem = "the socket " + Quoted(serverName) +
                  " left by an instance that ended cannot "
                  "be removed: " +
                  std::strerror(errno);
    } else {
        return true;
    }
    return false;
}

bool IsPeerOfThisUser(std::intptr_t descriptor, std::string& peer) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) !=
        0) {
        peer = std::string("a process whose user is unknown (") + std::strerror(errno) + ")";
        return false;
    }
    peer = "process " + std::to_string(credentials.pid) + " of user id " +
           std::to_string(credentials.uid);
    return credentials.uid == ::geteuid();
}

}  // namespace Quorvel::Platform
