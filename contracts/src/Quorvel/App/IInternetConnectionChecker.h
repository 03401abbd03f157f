#pragma once

#include <Quorvel/ContractsExport.h>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT IInternetConnectionChecker {
public:
    virtual ~IInternetConnectionChecker() = default;
    virtual bool IsConnected() const = 0;
};

}  // namespace Quorvel::App
