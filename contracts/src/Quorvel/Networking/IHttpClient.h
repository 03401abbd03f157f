#pragma once

#include <Quorvel/ContractsExport.h>

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>

#include <functional>

namespace Quorvel::Networking {

struct HttpResponse {
    int status = 0;  // HTTP status; 0 when no response arrived
    QByteArray body;
    QString error;  // empty on success; outside text in it is escaped, fit for a log record
};

// Asynchronous requests; the callback runs once per request, on the client's thread.
class QUORVEL_CONTRACTS_EXPORT IHttpClient {
public:
    using Callback = std::function<void(const HttpResponse& response)>;

    virtual ~IHttpClient() = default;
    virtual void Get(const QNetworkRequest& request, Callback onFinished) = 0;
    virtual void Post(const QNetworkRequest& request, const QByteArray& body,
                      Callback onFinished) = 0;
};

}  // namespace Quorvel::Networking
