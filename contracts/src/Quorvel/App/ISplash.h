#pragma once

#include <Quorvel/ContractsExport.h>

namespace Quorvel::App {

/// The product's splash screen, as far as the application needs it.
class QUORVEL_CONTRACTS_EXPORT ISplash {
public:
    virtual ~ISplash() = default;
    /// Hides the splash; called once, on the GUI thread.
    virtual void Dismiss() = 0;
};

}  // namespace Quorvel::App
