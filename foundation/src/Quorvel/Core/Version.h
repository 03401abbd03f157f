#pragma once

#include <Quorvel/FoundationExport.h>

#include <string>

namespace Quorvel::Core {

/// A four-part version number, compared part by part.
struct Version {
    int major = 0;  ///< weighs most
    int minor = 0;  ///< second
    int patch = 0;  ///< third
    int build = 0;  ///< weighs least
};

/// Compare part by part, major first.
/// @{
QUORVEL_FOUNDATION_EXPORT bool operator==(const Version& a, const Version& b);
QUORVEL_FOUNDATION_EXPORT bool operator!=(const Version& a, const Version& b);
QUORVEL_FOUNDATION_EXPORT bool operator<(const Version& a, const Version& b);
/// @}

/// "1.2.3.4"; all four numbers are always written.
QUORVEL_FOUNDATION_EXPORT std::string ToString(const Version& version);
/// Accepts one to four dot-separated non-negative numbers ("2", "2.1", "2.1.0.317");
/// missing parts are 0. Throws std::invalid_argument naming the text otherwise.
QUORVEL_FOUNDATION_EXPORT Version ParseVersion(const std::string& text);

}  // namespace Quorvel::Core
