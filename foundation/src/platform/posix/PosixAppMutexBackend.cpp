#include "IAppMutexBackend.h"

#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/Detail/PrivateRuntimeFolder.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace Quorvel::Platform {

namespace {

// Names may hold any character; file names may not. Safe characters stay, every other byte
// becomes %XX, so different names never share a file.
std::string EncodeName(const std::string& name) {
    static const char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-' || c == '{' ||
                          c == '}';
        if (keep) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += digits[c >> 4];
            encoded += digits[c & 15];
        }
    }
    // File names are limited to 255 bytes: a long name keeps its start and gets a hash of
    // the whole (FNV-1a; stable across builds, unlike std::hash).
    constexpr size_t kMaxEncoded = 200;
    if (encoded.size() > kMaxEncoded) {
        uint64_t hash = 14695981039346656037ull;
        for (const char ch : name) {
            hash = (hash ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
        }
        encoded.resize(kMaxEncoded - 17);
        encoded += '~';
        for (int shift = 60; shift >= 0; shift -= 4) {
            encoded += digits[(hash >> shift) & 15];
        }
    }
    return encoded;
}

std::string Quoted(const std::filesystem::path& path) {
    return "[" + Reading::LogText(path.string()) + "]";
}

// flock belongs to the open file description: the kernel drops it when the holder's last
// descriptor closes, also when the holder is killed, so a crash never leaves a stale lock.
// Two descriptions opened in the same process exclude each other as well.
class PosixAppMutexBackend final : public IAppMutexBackend {
public:
    explicit PosixAppMutexBackend(const std::string& name)
        : m_fileName("quorvel-mutex-" + EncodeName(name) + ".lock") {}

    ~PosixAppMutexBackend() override { Unlock(); }

    Result TryLock() override {
        if (m_fd >= 0) {
            return Result::Locked;
        }
        const Util::Detail::PrivateRuntimeFolder folder = Util::Detail::FindPrivateRuntimeFolder();
        if (folder.path.empty()) {
            m_problem = folder.problem;
            return Result::Unavailable;
        }
        const std::filesystem::path path = folder.path / m_fileName;
        // CLOEXEC: a restarted product must not inherit its parent's lock. NOFOLLOW and
        // NONBLOCK: a link or a FIFO in the lock's place is refused, not followed or waited on.
        const int fd =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0) {
            m_problem = errno == ELOOP ? "the lock file " + Quoted(path) + " is a symbolic link"
                                       : "the lock file " + Quoted(path) +
                                             " cannot be opened: " + std::strerror(errno);
            return Result::Unavailable;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
            m_problem = "the lock file " + Quoted(path) + " is not a regular file of this user";
            ::close(fd);
            return Result::Unavailable;
        }
        int result = 0;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            const bool busy = errno == EWOULDBLOCK;
            m_problem =
                "the lock file " + Quoted(path) + " cannot be locked: " + std::strerror(errno);
            ::close(fd);
            return busy ? Result::Busy : Result::Unavailable;
        }
        m_fd = fd;
        return Result::Locked;
    }

    void Unlock() override {
        if (m_fd >= 0) {
            // The file stays: removing it would let a waiting opener lock a dead inode while
            // a newcomer locks a fresh file of the same name.
            ::close(m_fd);
            m_fd = -1;
        }
    }

    const std::string& Problem() const override { return m_problem; }

private:
    std::string m_fileName;
    std::string m_problem;
    int m_fd = -1;
};

}  // namespace

std::unique_ptr<IAppMutexBackend> CreateAppMutexBackend(const std::string& name) {
    return std::make_unique<PosixAppMutexBackend>(name);
}

}  // namespace Quorvel::Platform
