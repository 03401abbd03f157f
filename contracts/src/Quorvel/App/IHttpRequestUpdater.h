#pragma once

#include <Quorvel/ContractsExport.h>

#include <QNetworkRequest>

#include <map>
#include <string>

namespace Quorvel::App {

/// Puts the product's identifying headers on outgoing web requests. It lives among the
/// contracts so that the HTTP client of the services can take one without knowing the core,
/// which supplies the implementation (HttpRequestUpdater).
class QUORVEL_CONTRACTS_EXPORT IHttpRequestUpdater {
public:
    /// Writes the headers into the request, replacing those of the same names.
    virtual void updateQtRequest(QNetworkRequest& request) const = 0;
    /// The headers as name -> value (UTF-8), for network code that does not use Qt.
    virtual std::map<std::string, std::string> getRawHeaders() const = 0;
    virtual ~IHttpRequestUpdater() = default;
};

}  // namespace Quorvel::App
