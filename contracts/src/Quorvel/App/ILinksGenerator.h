#pragma once

#include <Quorvel/ContractsExport.h>
#include <Quorvel/URLKeys.h>

#include <QMap>
#include <QString>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT ILinksGenerator {
public:
    virtual ~ILinksGenerator() = default;
    virtual QString GetUrl(const QString& name) = 0;
    virtual QString GetUrl(URLKeys key) = 0;
    virtual QString GenerateUrl(const QString& name, QMap<QString, QString> parameters) = 0;
};

}  // namespace Quorvel::App
