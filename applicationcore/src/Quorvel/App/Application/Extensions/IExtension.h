#pragma once

#include <Quorvel/ApplicationCoreExport.h>

namespace Quorvel::App {

/// A start-up extension: built by the product with the services it needs, kept for the life
/// of the product, and started once after the product has started. The library never starts
/// extensions itself.
class QUORVEL_APPLICATIONCORE_EXPORT IExtension {
public:
    virtual ~IExtension() = default;
    /// Runs the extension; the product calls it once it has started (the library never does).
    virtual void onStart() = 0;
};

}  // namespace Quorvel::App
