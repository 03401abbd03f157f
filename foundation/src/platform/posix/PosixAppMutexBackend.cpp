#include "IAppMutexBackend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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

// The per-user runtime directory is private and cleared at logout; the temp dir is only
// a fallback for sessions without one.
std::filesystem::path LockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime && *runtime && std::filesystem::is_directory(runtime, error)) {
        return runtime;
    }
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : temp;
}

// flock belongs to the open file description: the kernel drops it when the holder's last
// descriptor closes, also when the holder is killed, so a crash never leaves a stale lock.
// Two descriptions opened in the same process exclude each other as well.
class PosixAppMutexBackend final : public IAppMutexBackend {
public:
    explicit PosixAppMutexBackend(const std::string& name)
        : m_path(LockDirectory() / ("quorvel-mutex-" + EncodeName(name) + ".lock")) {}

    ~PosixAppMutexBackend() override { Unlock(); }

    bool TryLock() override {
        if (m_fd >= 0) {
            return true;
        }
        // CLOEXEC: a restarted product must not inherit its parent's lock.
        int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EACCES) {
            fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (fd < 0) {
            return false;
        }
        int result = 0;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            ::close(fd);
            return false;
        }
        m_fd = fd;
        return true;
    }

    void Unlock() override {
        if (m_fd >= 0) {
            // The file stays: removing it would let a waiting opener lock a dead inode while
            // a newcomer locks a fresh file of the same name.
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
};

}  // namespace

std::unique_ptr<IAppMutexBackend> CreateAppMutexBackend(const std::string& name) {
    return std::make_unique<PosixAppMutexBackend>(name);
}

}  // namespace Quorvel::Platform
