#pragma once

#include <Quorvel/ContractsExport.h>
#include <Quorvel/URLKeys.h>

#include <QString>

namespace Quorvel::App {

/// Opens the product's web addresses.
class QUORVEL_CONTRACTS_EXPORT ILinksOpener {
public:
    virtual ~ILinksOpener() = default;
    /// Opens `url` through Qt's URL services.
    virtual void OpenUrl(const QString& url) = 0;
    /// Opens the address of `key`; nothing when it has none.
    virtual void OpenUrl(URLKeys key) = 0;
};

}  // namespace Quorvel::App
