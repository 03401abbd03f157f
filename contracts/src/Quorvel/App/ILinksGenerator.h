#pragma once

#include <Quorvel/ContractsExport.h>
#include <Quorvel/URLKeys.h>

#include <QMap>
#include <QString>

namespace Quorvel::App {

/// Resolves the product's web addresses by name or key.
class QUORVEL_CONTRACTS_EXPORT ILinksGenerator {
public:
    virtual ~ILinksGenerator() = default;
    /// The address of the link, in the current language; empty when there is none.
    /// @{
    virtual QString GetUrl(const QString& name) = 0;
    virtual QString GetUrl(URLKeys key) = 0;
    /// @}
    /// The address of `name` with `parameters` added to its query.
    virtual QString GenerateUrl(const QString& name, QMap<QString, QString> parameters) = 0;
};

}  // namespace Quorvel::App
