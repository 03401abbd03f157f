#include "platform/RawPaths.h"

namespace Quorvel::App::Platform {

// Windows hands out arguments and file names as UTF-16, which Qt keeps as they are.
std::vector<std::string> RawArguments() { return {}; }

std::string Utf8PathTo(const std::string& bytes, std::string&) { return bytes; }

}  // namespace Quorvel::App::Platform
