#include <Quorvel/Core/Version.h>

#include <stdexcept>
#include <tuple>

namespace Quorvel::Core {

namespace {
auto Tie(const Version& v) { return std::tie(v.major, v.minor, v.patch, v.build); }
}  // namespace

bool operator==(const Version& a, const Version& b) { return Tie(a) == Tie(b); }
bool operator!=(const Version& a, const Version& b) { return !(a == b); }
bool operator<(const Version& a, const Version& b) { return Tie(a) < Tie(b); }

std::string ToString(const Version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.patch) + "." + std::to_string(version.build);
}

Version ParseVersion(const std::string& text) {
    Version version;
    int* parts[] = {&version.major, &version.minor, &version.patch, &version.build};

    const auto fail = [&text] {
        throw std::invalid_argument("\"" + text +
                                    "\" is not a version: expected up to four dot-separated "
                                    "numbers such as 1.2.3.4");
    };
    size_t index = 0;
    size_t position = 0;
    while (true) {
        if (index == 4) {
            fail();
        }
        size_t end = position;
        long long value = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            value = value * 10 + (text[end] - '0');
            if (value > 0x7fffffff) {
                fail();
            }
            ++end;
        }
        if (end == position) {
            fail();
        }
        *parts[index++] = static_cast<int>(value);
        if (end == text.size()) {
            return version;
        }
        if (text[end] != '.') {
            fail();
        }
        position = end + 1;
    }
}

}  // namespace Quorvel::Core
