#include <Quorvel/ioPath.h>

#include <system_error>

namespace Quorvel {

namespace {
std::filesystem::path FromUtf8(const std::string& utf8) {
    // u8path decodes UTF-8 on Windows; elsewhere the bytes are taken as they are.
    return std::filesystem::u8path(utf8);
}
}  // namespace

ioPath::ioPath() = default;
ioPath::ioPath(const std::string& utf8) : m_path(FromUtf8(utf8)) {}
ioPath::ioPath(const char* utf8) : m_path(FromUtf8(utf8 ? std::string(utf8) : std::string())) {}
ioPath::ioPath(std::filesystem::path path) : m_path(std::move(path)) {}

ioPath ioPath::operator/(const ioPath& other) const { return ioPath(m_path / other.m_path); }
ioPath ioPath::operator/(const std::string& utf8) const { return *this / ioPath(utf8); }
ioPath ioPath::operator/(const char* utf8) const { return *this / ioPath(utf8); }

ioPath& ioPath::operator/=(const ioPath& other) {
    m_path /= other.m_path;
    return *this;
}

std::string ioPath::utf8string() const {
    // std::string in C++17; C++20 would make it std::u8string.
    return m_path.u8string();
}

ioPath::PlatformString ioPath::platformString() const { return m_path.native(); }

const std::filesystem::path& ioPath::stdPath() const { return m_path; }

ioPath ioPath::parent_path() const { return ioPath(m_path.parent_path()); }
ioPath ioPath::filename() const { return ioPath(m_path.filename()); }
bool ioPath::empty() const { return m_path.empty(); }

bool ioPath::exists() const {
    std::error_code error;
    return std::filesystem::exists(m_path, error);
}

bool ioPath::is_directory() const {
    std::error_code error;
    return std::filesystem::is_directory(m_path, error);
}

bool ioPath::create_directories() const {
    if (m_path.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(m_path, error);
    return !error && is_directory();
}

bool operator==(const ioPath& a, const ioPath& b) { return a.m_path == b.m_path; }
bool operator!=(const ioPath& a, const ioPath& b) { return !(a == b); }
bool operator<(const ioPath& a, const ioPath& b) { return a.m_path < b.m_path; }

}  // namespace Quorvel
