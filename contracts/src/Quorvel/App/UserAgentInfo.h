#pragma once

#include <string>

namespace Quorvel::App {

/// The product's part of the user-agent text.
struct UserAgentInfo {
    /// product name and version
    std::string product;
    /// the text itself
    std::string userAgent;
};

}  // namespace Quorvel::App
