#include <Quorvel/Util/Detail/PrivateRuntimeFolder.h>

#include <Quorvel/Reading/LogText.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace Quorvel::Util::Detail {

namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "[" + Reading::LogText(path.string()) + "]";
}

// A folder where nobody but this user can put a file or a link.
bool IsPrivateFolder(const std::filesystem::path& folder, bool followLink, std::string& problem) {
    struct stat info {};
    if ((followLink ? ::stat(folder.c_str(), &info) : ::lstat(folder.c_str(), &info)) != 0) {
        problem = "the folder " + Quoted(folder) + " cannot be examined: " + std::strerror(errno);
    } else if (!S_ISDIR(info.st_mode)) {
        problem = Quoted(folder) + " is not a folder";
    } else if (info.st_uid != ::geteuid()) {
        problem = "the folder " + Quoted(folder) + " belongs to another user";
    } else if ((info.st_mode & 077) != 0) {
        problem = "the folder " + Quoted(folder) + " is open to other users";
    } else {
        return true;
    }
    return false;
}

}  // namespace

// The session's runtime folder is cleared at logout; the fallback is checked with lstat,
// since anyone may plant a link in the temp folder itself.
PrivateRuntimeFolder FindPrivateRuntimeFolder() {
    PrivateRuntimeFolder result;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) {
        if (IsPrivateFolder(runtime, true, result.passedOver)) {
            result.path = runtime;
            return result;
        }
    }
    std::error_code error;
    std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) {
        temp = "/tmp";
    }
    const std::filesystem::path folder = temp / ("quorvel-" + std::to_string(::geteuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        result.problem =
            "the folder " + Quoted(folder) + " cannot be made: " + std::strerror(errno);
    } else if (IsPrivateFolder(folder, false, result.problem)) {
        result.path = folder;
    }
    return result;
}

}  // namespace Quorvel::Util::Detail
