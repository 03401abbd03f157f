#pragma once

#include <Quorvel/ContractsExport.h>

#include <string>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT IHardwareInfo {
public:
    virtual ~IHardwareInfo() = default;
    virtual std::string GetHardwareText() const = 0;
};

}  // namespace Quorvel::App
