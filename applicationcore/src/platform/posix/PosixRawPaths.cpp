#include "platform/RawPaths.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace Quorvel::App::Platform {

namespace {

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char lead = *p++;
        int more = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
        if (lead < 0x80) {
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        for (int i = 0; i < more; ++i, ++p) {
            if (p == end || *p < (i == 0 ? low : 0x80) || *p > (i == 0 ? high : 0xBF)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> RawArguments() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> arguments;
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find('\0', start);
        arguments.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return arguments;
}

std::string Utf8PathTo(const std::string& bytes, std::string& problem) {
    // The end of the last name that is no UTF-8.
    size_t cut = std::string::npos;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t end = std::min(bytes.find('/', start), bytes.size());
        if (!IsUtf8(bytes.substr(start, end - start))) {
            cut = end;
        }
        start = end + 1;
    }
    if (cut == std::string::npos) {
        return bytes;
    }
    const std::string folder = bytes.substr(0, cut);
    // Opened once per folder and kept: the path handed out stays valid while the process runs.
    static std::mutex mutex;
    static std::map<std::string, int> opened;
    const std::lock_guard<std::mutex> lock(mutex);
    auto found = opened.find(folder);
    if (found == opened.end()) {
#ifdef O_PATH
        const int descriptor = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#else
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
        if (descriptor < 0) {
            problem = std::strerror(errno);
            return {};
        }
        found = opened.emplace(folder, descriptor).first;
    }
    return "/proc/self/fd/" + std::to_string(found->second) + bytes.substr(cut);
}

}  // namespace Quorvel::App::Platform
