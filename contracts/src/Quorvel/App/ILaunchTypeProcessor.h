#pragma once

#include <Quorvel/App/LaunchType.h>
#include <Quorvel/ContractsExport.h>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT ILaunchTypeProcessor {
public:
    virtual ~ILaunchTypeProcessor() = default;
    virtual LaunchType GetLaunchType() const = 0;
};

}  // namespace Quorvel::App
