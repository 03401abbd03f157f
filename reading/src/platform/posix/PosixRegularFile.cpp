#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Quorvel::Reading::Platform {

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "something other";
}

std::string LastError() { return std::strerror(errno); }

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Whether someone else than this user (and root) can put a file or a link into `folder`.
bool IsShared(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return true;  // unknown: the careful way
    }
    return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 ||
           (info.st_uid != ::geteuid() && info.st_uid != 0);
}

WritableFile NotWritten(std::string problem) { return {-1, std::move(problem)}; }

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

// The file that a write to `path` is meant to change: through a link, the file it names.
std::string TargetOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            errno = count == 0 ? ENOSPC : errno;
            return false;
        }
        done += static_cast<size_t>(count);
    }
    return true;
}

}  // namespace

WritableFile OpenRegularFileForWriting(const std::string& utf8Path) {
    const bool shared = IsShared(FolderOf(utf8Path));
    // NONBLOCK: a FIFO without a reader is refused (ENXIO) instead of waited on.
    int flags = O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (shared) {
        flags |= O_NOFOLLOW;
    }
    Descriptor file(::open(utf8Path.c_str(), flags, shared ? 0600 : 0666));
    if (file.get() < 0) {
        if (errno == ELOOP && shared) {
            return NotWritten("the file is a symbolic link, in a folder other users can write to");
        }
        if (errno == ENXIO) {
            return NotWritten("this is a FIFO or a device, not a regular file");
        }
        return NotWritten("the file cannot be opened for writing: " + LastError());
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return NotWritten("the file cannot be examined: " + LastError());
    }
    if (!S_ISREG(info.st_mode)) {
        return NotWritten(std::string("this is ") + KindOf(info.st_mode) + ", not a regular file");
    }
    if (shared && info.st_uid != ::geteuid()) {
        return NotWritten("the file belongs to another user, in a folder other users can write to");
    }
    if (::ftruncate(file.get(), 0) != 0 ||
        ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK) != 0) {
        return NotWritten("the file cannot be emptied: " + LastError());
    }
    return {file.Release(), {}};
}

std::string ReplaceRegularFile(const std::string& utf8Path, const std::string& bytes) {
    static std::atomic<unsigned> s_serial{0};
    const std::string target = TargetOf(utf8Path);
    const size_t slash = target.rfind('/');
    const std::string prefix = FolderOf(target) + "/." +
                               target.substr(slash == std::string::npos ? 0 : slash + 1) + ".new-" +
                               std::to_string(::getpid()) + "-";
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temporary = prefix + std::to_string(s_serial++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return "no new file can be made beside it: " + LastError();
    }
    // The new file takes the old one's permissions; a new store gets the umask's.
    std::string problem;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ::fchmod(fd, old.st_mode & 07777) != 0) {
        problem = "its permissions cannot be kept: " + LastError();
    } else if (!WriteAll(fd, bytes)) {
        problem = "its new content cannot be written: " + LastError();
    } else if (::fsync(fd) != 0) {
        problem = "its new content cannot reach the disk: " + LastError();
    }
    if (::close(fd) != 0 && problem.empty()) {
        problem = "its new content cannot be written: " + LastError();
    }
    if (problem.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        problem = "its new content cannot take its place: " + LastError();
    }
    if (!problem.empty()) {
        ::unlink(temporary.c_str());
        return problem;
    }
    // The new name reaches the disk with the folder; a folder that cannot be synced still
    // holds a whole file under one of the two names.
    const Descriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return {};
}

RegularFile OpenRegularFile(const std::string& utf8Path, std::uint64_t limit, bool read) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer. O_NOCTTY: a terminal
    // named by a data file must not become this process's controlling terminal.
    const Descriptor file(::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {RegularFile::Outcome::Missing, {}, "the file does not exist"};
        }
        return Refused("the file cannot be opened: " + LastError());
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return Refused("the file cannot be examined: " + LastError());
    }
    if (S_ISDIR(info.st_mode)) {
        return Refused("this is a folder, not a file");
    }
    if (!S_ISREG(info.st_mode)) {
        return Refused(std::string("this is ") + KindOf(info.st_mode) + ", not a regular file");
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > limit) {
        return TooLarge(size, limit);
    }
    if (!read) {
        return {RegularFile::Outcome::Read, {}, {}};
    }
    return ReadToEnd(
        size, limit,
        [&file](char* buffer, size_t room) -> long long {
            ssize_t count = 0;
            do {
                count = ::read(file.get(), buffer, room);
            } while (count < 0 && errno == EINTR);
            return count;
        },
        LastError);
}

}  // namespace Quorvel::Reading::Platform
