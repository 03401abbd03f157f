#pragma once

#include <cstdint>
#include <string>

namespace Quorvel::Util::Platform {

// What the operating system tells about the machine; empty or zero when it cannot be read.
struct MachineFacts {
    std::string processor;
    unsigned logicalCores = 0;
    std::uint64_t memoryBytes = 0;
};

MachineFacts ReadMachineFacts();

}  // namespace Quorvel::Util::Platform
