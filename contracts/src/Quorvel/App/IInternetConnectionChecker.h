#pragma once

#include <Quorvel/ContractsExport.h>

namespace Quorvel::App {

/// Tells whether the machine is online.
class QUORVEL_CONTRACTS_EXPORT IInternetConnectionChecker {
public:
    virtual ~IInternetConnectionChecker() = default;
    /// Whether the internet can be reached now.
    virtual bool IsConnected() const = 0;
};

}  // namespace Quorvel::App
