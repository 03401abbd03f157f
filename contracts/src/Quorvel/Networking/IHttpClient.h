#pragma once

#include <Quorvel/ContractsExport.h>

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>

#include <functional>

namespace Quorvel::Networking {

/// What a request got back.
struct HttpResponse {
    int status = 0;  ///< HTTP status; 0 when no response arrived
    /// the response body; empty on failure
    QByteArray body;
    QString error;  ///< empty on success; outside text in it is escaped, fit for a log record
};

/// Asynchronous requests; the callback runs once per request, on the client's thread.
class QUORVEL_CONTRACTS_EXPORT IHttpClient {
public:
    /// Called once per request, on the GUI thread.
    using Callback = std::function<void(const HttpResponse& response)>;

    virtual ~IHttpClient() = default;
    /// Sends a GET with the identifying headers added; `onFinished` gets the response.
    virtual void Get(const QNetworkRequest& request, Callback onFinished) = 0;
    /// Sends a POST of `body` with the identifying headers added; `onFinished` gets the response.
    virtual void Post(const QNetworkRequest& request, const QByteArray& body,
                      Callback onFinished) = 0;
};

}  // namespace Quorvel::Networking
