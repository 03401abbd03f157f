#include <Quorvel/Networking/HttpClient.h>

#include "internal/HttpAnswerReader.h"

#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/SslUsage.h>

#include <QSslSocket>
#include <QThread>
#include <QTimer>

#include <map>

namespace Quorvel::Networking {

namespace {

using Internal::HttpAnswerReader;

// The scheme that the process-wide preference asks for, once it has been chosen; until then
// an address goes out as it is written.
QUrl WithPreferredScheme(QUrl url) {
    if (!Util::IsDefaultSslUsageChosen()) {
        return url;
    }
    const QString wanted = Util::GetDefaultSslUsage() ? "https" : "http";
    const QString scheme = url.scheme().toLower();
    if ((scheme == "http" || scheme == "https") && scheme != wanted) {
        url.setScheme(wanted);
    }
    return url;
}

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One request on the wire: its own connection, closed after the answer.
struct Exchange {
    quint64 id = 0;
    QByteArray method;  // as the caller asked: errors name it
    QByteArray verb;    // of the hop being sent
    QNetworkRequest request;
    QByteArray body;
    IHttpClient::Callback callback;
    QUrl url;  // of the hop being sent
    int redirects = 0;
    std::unique_ptr<QSslSocket> socket;
    std::unique_ptr<HttpAnswerReader> reader;
};

QByteArray RequestHead(const Exchange& exchange) {
    const QUrl& url = exchange.url;
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (url.hasQuery()) {
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    }
    QUrl server = url;
    server.setUserInfo(QString());
    QByteArray head = exchange.verb + ' ' + target +
                      " HTTP/1.1\r\nHost: " + server.authority(QUrl::FullyEncoded).toLatin1() +
                      "\r\n";
    for (const QByteArray& name : exchange.request.rawHeaderList()) {
        static const QList<QByteArray> ours{"host", "connection", "content-length",
                                            "transfer-encoding", "accept-encoding"};
        const QByteArray value = exchange.request.rawHeader(name);
        // A line break in a header (a settings value gone wrong) would start a header of its own.
        const bool oneLine = !(name + value).contains('\r') && !(name + value).contains('\n');
        if (oneLine && !ours.contains(name.toLower())) {
            head += name + ": " + value + "\r\n";
        }
    }
    // An answer's size is the size that arrives: nothing is inflated, and no connection is
    // kept for a next request that may never come.
    head += "Accept-Encoding: identity\r\nConnection: close\r\n";
    if (!exchange.body.isEmpty() || exchange.verb == "POST" || exchange.verb == "PUT") {
        head += "Content-Length: " + QByteArray::number(exchange.body.size()) + "\r\n";
    }
    return head + "\r\n";
}

}  // namespace

struct HttpClient::Impl {
    Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> headers;
    int timeoutMs;
    QObject clientThread;  // lives on the thread that made the client: requests are sent there
    // By a serial number, which a late timer cannot mistake for a newer request.
    std::map<quint64, std::unique_ptr<Exchange>> pending;
    quint64 sent = 0;

    Impl(Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> updater, int timeout)
        : headers(std::move(updater)), timeoutMs(timeout) {}

    ~Impl() {
        while (!pending.empty()) {
            Finish(pending.begin()->second.get(), 0, QByteArray(),
                   "cancelled: the HTTP client was closed");
        }
    }

    void Send(const QByteArray& verb, QNetworkRequest request, const QByteArray& body,
              Callback callback) {
        headers->updateQtRequest(request);
        auto owned = std::make_unique<Exchange>();
        Exchange* exchange = owned.get();
        exchange->method = exchange->verb = verb;
        exchange->request = request;
        exchange->body = body;
        exchange->callback = std::move(callback);
        exchange->url = WithPreferredScheme(request.url());
        exchange->id = ++sent;
        pending[exchange->id] = std::move(owned);
        Later(exchange, timeoutMs, 0, QByteArray(),
              QString("no answer within %1 ms").arg(timeoutMs));
        Connect(exchange);
    }

    void Connect(Exchange* exchange) {
        const QString scheme = exchange->url.scheme().toLower();
        if (!exchange->url.isValid() || exchange->url.host().isEmpty() ||
            (scheme != "http" && scheme != "https")) {
            // Later, so that the callback never runs inside Get or Post.
            Later(exchange, 0, 0, QByteArray(), "the address is no http or https address");
            return;
        }
        const bool tls = scheme == "https";
        exchange->reader =
            std::make_unique<HttpAnswerReader>(exchange->verb == "HEAD", MaxBodySize);
        exchange->socket = std::make_unique<QSslSocket>();
        QSslSocket* socket = exchange->socket.get();
        QObject::connect(
            socket, tls ? &QSslSocket::encrypted : &QSslSocket::connected, socket,
            [exchange] { exchange->socket->write(RequestHead(*exchange) + exchange->body); });
        QObject::connect(socket, &QSslSocket::readyRead, socket, [this, exchange] {
            exchange->reader->Feed(exchange->socket->readAll());
            Continue(exchange);
        });
        QObject::connect(socket, &QSslSocket::disconnected, socket, [this, exchange] {
            exchange->reader->Feed(exchange->socket->readAll());
            exchange->reader->Closed();
            Continue(exchange);
        });
        QObject::connect(socket, &QSslSocket::errorOccurred, socket,
                         [this, exchange](QAbstractSocket::SocketError error) {
                             if (error == QAbstractSocket::RemoteHostClosedError) {
                                 return;  // the answer's reader decides whether that was early
                             }
                             Defer(exchange, 0, QByteArray(), exchange->socket->errorString());
                         });
        const quint16 port = quint16(exchange->url.port(tls ? 443 : 80));
        if (tls) {
            socket->connectToHostEncrypted(exchange->url.host(), port);
        } else {
            socket->connectToHost(exchange->url.host(), port);
        }
    }

    // Acts on the answer once it is whole or has failed.
    void Continue(Exchange* exchange) {
        const HttpAnswerReader& reader = *exchange->reader;
        if (reader.state() == HttpAnswerReader::State::Reading) {
            return;
        }
        const int status = reader.Status();
        if (reader.state() == HttpAnswerReader::State::Failed) {
            Defer(exchange, status, QByteArray(), reader.Problem());
            return;
        }
        const QUrl target = WithPreferredScheme(
            exchange->url.resolved(QUrl::fromEncoded(reader.Header("Location"))));
        if (IsRedirect(status) && !reader.Header("Location").isEmpty()) {
            if (exchange->redirects >= MaxRedirects) {
                Defer(exchange, status, reader.Body(),
                      QString("more than %1 redirects").arg(MaxRedirects));
                return;
            }
            if (exchange->url.scheme() == "https" && target.scheme() != "https") {
                Defer(exchange, status, reader.Body(),
                      "a redirect from https to http is not followed");
                return;
            }
            // As browsers do: a 303, and a 301 or 302 of a POST, become a GET without body.
            if (status == 303 || ((status == 301 || status == 302) && exchange->verb == "POST")) {
                exchange->verb = "GET";
                exchange->body.clear();
            }
            ++exchange->redirects;
            exchange->url = target;
            Retire(exchange);
            Connect(exchange);
            return;
        }
        QString reason;
        if (status < 200 || status >= 300) {
            // A redirect without a target, or an answer that is not HTTP's success (a status
            // line with 0 included).
            const QByteArray phrase = reader.ReasonPhrase();
            reason = QString("the server answered %1%2")
                         .arg(status)
                         .arg(phrase.isEmpty() ? QString() : " " + QString::fromUtf8(phrase));
        }
        Defer(exchange, status, reader.Body(), reason);
    }

    // The socket of a finished hop goes once its own signal has returned.
    void Retire(Exchange* exchange) {
        if (QSslSocket* socket = exchange->socket.release()) {
            socket->disconnect();
            socket->abort();
            socket->deleteLater();
        }
    }

    // Ends the request after the signal being handled has returned.
    void Defer(Exchange* exchange, int status, const QByteArray& body, const QString& reason) {
        Retire(exchange);
        Later(exchange, 0, status, body, reason);
    }

    // Ends the request in `ms`, unless it has ended by then.
    void Later(Exchange* exchange, int ms, int status, const QByteArray& body,
               const QString& reason) {
        QTimer::singleShot(ms, &clientThread, [this, id = exchange->id, status, body, reason] {
            const auto found = pending.find(id);
            if (found != pending.end()) {
                Finish(found->second.get(), status, body, reason);
            }
        });
    }

    void Finish(Exchange* exchange, int status, const QByteArray& body, const QString& reason) {
        std::unique_ptr<Exchange> owned = std::move(pending.at(exchange->id));
        pending.erase(exchange->id);
        Retire(exchange);
        HttpResponse response;
        response.status = status;
        response.body = body;
        if (!reason.isEmpty()) {
            // Callers log this: the address and the server's words are quoted as a log shows them.
            response.error = QString("%1 %2 failed: %3")
                                 .arg(QString::fromLatin1(exchange->method),
                                      QString::fromStdString(Reading::LogText(
                                          exchange->url.toDisplayString(QUrl::RemoveUserInfo))),
                                      QString::fromStdString(Reading::LogText(reason)));
        }
        exchange->callback(response);
    }
};

HttpClient::HttpClient(Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> headers,
                       int timeoutMs)
    : m_impl(std::make_unique<Impl>(std::move(headers), timeoutMs)) {}

HttpClient::~HttpClient() = default;

namespace {

// Sockets belong to one thread: a request made elsewhere is handed over.
void OnClientThread(QObject* context, std::function<void()> send) {
    if (QThread::currentThread() == context->thread()) {
        send();
    } else {
        QMetaObject::invokeMethod(context, std::move(send), Qt::QueuedConnection);
    }
}

}  // namespace

void HttpClient::Get(const QNetworkRequest& request, Callback onFinished) {
    Impl* impl = m_impl.get();
    OnClientThread(&impl->clientThread,
                   [impl, request, onFinished = std::move(onFinished)]() mutable {
                       impl->Send("GET", request, QByteArray(), std::move(onFinished));
                   });
}

void HttpClient::Post(const QNetworkRequest& request, const QByteArray& body, Callback onFinished) {
    Impl* impl = m_impl.get();
    OnClientThread(&impl->clientThread,
                   [impl, request, body, onFinished = std::move(onFinished)]() mutable {
                       impl->Send("POST", request, body, std::move(onFinished));
                   });
}

}  // namespace Quorvel::Networking
