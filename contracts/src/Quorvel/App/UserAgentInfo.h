#pragma once

#include <string>

namespace Quorvel::App {

struct UserAgentInfo {
    std::string product;
    std::string userAgent;
};

}  // namespace Quorvel::App
