#include "HomeFolder.h"

#include <stdexcept>

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

std::string EnsureHomeFolder() {
#ifdef _WIN32
    return {};
#else
    const char* home = std::getenv("HOME");
    if (home && *home && std::strcmp(home, "/") != 0) {
        return {};
    }
    const uid_t user = ::geteuid();
    // An entry with many groups or a long description needs more than the usual size.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = ::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
           buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    const auto refused = [](const std::string& why) {
        return std::runtime_error("Cannot start: HOME is not set, and " + why +
                                  ". Set HOME to the folder for this user's settings and logs.");
    };
    if (!found || !entry.pw_dir || !*entry.pw_dir || std::strcmp(entry.pw_dir, "/") == 0) {
        throw refused("the password database has no home folder for user " + std::to_string(user) +
                      (error ? std::string(" (") + std::strerror(error) + ")" : ""));
    }
    // A home that does not exist is none: making it would write to the root of the file system.
    struct stat info {};
    if (::stat(entry.pw_dir, &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw refused(std::string("the home folder ") + entry.pw_dir + " of user " +
                      std::to_string(user) + " in the password database is not a folder");
    }
    ::setenv("HOME", entry.pw_dir, 1);
    return entry.pw_dir;
#endif
}
