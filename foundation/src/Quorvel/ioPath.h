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
    /// The system's own path text: UTF-16 on Windows, UTF-8 bytes elsewhere.
    using PlatformString = std::wstring;
#else
    /// The system's own path text: UTF-16 on Windows, UTF-8 bytes elsewhere.
    using PlatformString = std::string;
#endif

    ioPath();
    /// A path from UTF-8 text.
    /// @{
    ioPath(const std::string& utf8);
    ioPath(const char* utf8);
    /// @}
    /// Wraps a standard path.
    explicit ioPath(std::filesystem::path path);

    /// Joins with one separator, as std::filesystem does: an absolute right-hand side replaces
    /// the left one.
    ioPath operator/(const ioPath& other) const;
    /// As operator/(const ioPath&), with UTF-8 text or in place.
    /// @{
    ioPath operator/(const std::string& utf8) const;
    ioPath operator/(const char* utf8) const;
    ioPath& operator/=(const ioPath& other);
    /// @}

    /// The path as UTF-8.
    std::string utf8string() const;
    /// The path as the system's API takes it.
    PlatformString platformString() const;
    /// The standard path inside.
    const std::filesystem::path& stdPath() const;

    /// The path without its last part.
    ioPath parent_path() const;
    /// The last part only.
    ioPath filename() const;
    /// Whether the path has no parts.
    bool empty() const;

    /// These never throw: a path that cannot be examined does not exist.
    bool exists() const;
    /// Whether it names an existing directory.
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
