#pragma once

#include <Quorvel/ContractsExport.h>
#include <Quorvel/URLKeys.h>

#include <QString>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT ILinksOpener {
public:
    virtual ~ILinksOpener() = default;
    virtual void OpenUrl(const QString& url) = 0;
    virtual void OpenUrl(URLKeys key) = 0;
};

}  // namespace Quorvel::App
