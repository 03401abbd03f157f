#pragma once

#include <Quorvel/FoundationExport.h>

#include <filesystem>
#include <string>

namespace Quorvel {

/// A file-system path that is built from and handed out as UTF-8 everywhere, whatever the
/// platform's own encoding is. On Windows the native form is UTF-16 (platformString() is a
/// std::wstring there), elsewhere it is the UTF-8 bytes themselves.
class QUORVEL_FOUNDATION_EXPORT ioPath {
public:
#ifdef _WIN32
    using PlatformString = std::wstring;
#else
    using PlatformString = std::string;
#endif

    ioPath();
    ioPath(const std::string& utf8);
    ioPath(const char* utf8);
    explicit ioPath(std::filesystem::path path);

    /// Joins with one separator, as std::filesystem does: an absolute right-hand side replaces
    /// the left one.
    ioPath operator/(const ioPath& other) const;
    ioPath operator/(const std::string& utf8) const;
    ioPath operator/(const char* utf8) const;
    ioPath& operator/=(const ioPath& other);

    std::string utf8string() const;
    PlatformString platformString() const;
    const std::filesystem::path& stdPath() const;

    ioPath parent_path() const;
    ioPath filename() const;
    bool empty() const;

    /// These never throw: a path that cannot be examined does not exist.
    bool exists() const;
    bool is_directory() const;
    /// Creates the directory and its missing parents. True when the directory exists
    /// afterwards, whether it was created now or was there already.
    bool create_directories() const;

    friend QUORVEL_FOUNDATION_EXPORT bool operator==(const ioPath& a, const ioPath& b);
    friend QUORVEL_FOUNDATION_EXPORT bool operator!=(const ioPath& a, const ioPath& b);
    friend QUORVEL_FOUNDATION_EXPORT bool operator<(const ioPath& a, const ioPath& b);

private:
    std::filesystem::path m_path;
};

}  // namespace Quorvel
