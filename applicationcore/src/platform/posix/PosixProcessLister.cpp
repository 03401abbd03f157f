#include "ProcessLister.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quorvel::App::Platform {
namespace {

constexpr char kDeletedSuffix[] = " (deleted)";

bool IsProcessId(const char* name) {
    if (*name == '\0') {
        return false;
    }
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9') {
            return false;
        }
    }
    return true;
}

// The target of /proc/<pid>/exe; empty when the process has gone or may not be looked at.
std::string ReadExecutable(const std::string& pid) {
    const std::string link = "/proc/" + pid + "/exe";
    std::string target(256, '\0');
    while (true) {
        const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<size_t>(length) < target.size()) {
            target.resize(static_cast<size_t>(length));
            break;
        }
        // readlink truncates silently; a full buffer may be a cut path.
        target.resize(target.size() * 2);
    }
    // An executable replaced or removed while running (a browser updated in place) is
    // reported with a suffix. Its own path is what a later start would use, and whether a
    // file is there again is for the caller to check.
    const size_t suffixLength = sizeof kDeletedSuffix - 1;
    if (target.size() > suffixLength &&
        target.compare(target.size() - suffixLength, suffixLength, kDeletedSuffix) == 0) {
        struct stat info;
        if (::stat(target.c_str(), &info) != 0) {
            target.resize(target.size() - suffixLength);
        }
    }
    return target;
}

}  // namespace

std::vector<NativePath> ListProcessExecutables() {
    std::vector<NativePath> paths;
    DIR* proc = ::opendir("/proc");
    if (!proc) {
        return paths;
    }
    while (const dirent* entry = ::readdir(proc)) {
        if (IsProcessId(entry->d_name)) {
            paths.push_back(ReadExecutable(entry->d_name));
        }
    }
    ::closedir(proc);
    return paths;
}

}  // namespace Quorvel::App::Platform
