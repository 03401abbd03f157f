#pragma once

#include <Quorvel/App/LaunchType.h>
#include <Quorvel/ContractsExport.h>

namespace Quorvel::App {

/// Tells how this run of the product came about.
class QUORVEL_CONTRACTS_EXPORT ILaunchTypeProcessor {
public:
    virtual ~ILaunchTypeProcessor() = default;
    /// The kind of this run, fixed when the service was made.
    virtual LaunchType GetLaunchType() const = 0;
};

}  // namespace Quorvel::App
