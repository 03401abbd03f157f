#pragma once

#include <Quorvel/FoundationExport.h>

#include <memory>
#include <string>

namespace Quorvel::Core {

/// Bytes handed to a deserializer, kept in memory.
class QUORVEL_FOUNDATION_EXPORT DataInputString {
public:
    /// A shared stream over `bytes`.
    static std::shared_ptr<DataInputString> Create(std::string bytes);
    /// Reads `bytes`, which it keeps.
    explicit DataInputString(std::string bytes);
    /// All the bytes, whatever was read.
    const std::string& GetBytes() const;

private:
    std::string m_bytes;
};

}  // namespace Quorvel::Core
