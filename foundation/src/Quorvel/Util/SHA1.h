#pragma once

#include <Quorvel/FoundationExport.h>

#include <string>

namespace Quorvel::Util {

/// SHA-1 of the bytes as 40 lowercase hexadecimal digits.
QUORVEL_FOUNDATION_EXPORT std::string SHA1(const std::string& bytes);

}  // namespace Quorvel::Util
