#pragma once

#include <Quorvel/ContractsExport.h>

#include <string>

namespace Quorvel::App {

/// The machine's description for logs and links.
class QUORVEL_CONTRACTS_EXPORT IHardwareInfo {
public:
    virtual ~IHardwareInfo() = default;
    /// One line describing the processor, memory and system.
    virtual std::string GetHardwareText() const = 0;
};

}  // namespace Quorvel::App
