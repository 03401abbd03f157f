#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

private:
    int m_fd;
};

}  // namespace

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
