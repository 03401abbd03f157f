#include <Quorvel/Networking/HttpClient.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>

#include <map>

namespace Quorvel::Networking {

namespace {

struct Pending {
    QByteArray verb;
    IHttpClient::Callback callback;
    QString abortReason;  // why the client aborted the request, if it did
};

QString StatusReason(QNetworkReply* reply, int status) {
    const QString phrase =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    return QString("the server answered %1%2")
        .arg(status)
        .arg(phrase.isEmpty() ? "" : " " + phrase);
}

}  // namespace

struct HttpClient::Impl {
    Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> headers;
    int timeoutMs;
    QObject clientThread;  // lives on the thread that made the client: requests are sent there
    // Made at the first request: a manager loads Qt's network bearer plugins, which
    // costs a product's start-up a tenth of its instructions when made with the client.
    std::unique_ptr<QNetworkAccessManager> manager;
    std::map<QNetworkReply*, Pending> pending;

    Impl(Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> updater, int timeout)
        : headers(std::move(updater)), timeoutMs(timeout) {}

    ~Impl() {
        // Aborting finishes the reply at once, which runs its callback through Finish.
        while (!pending.empty()) {
            QNetworkReply* reply = pending.begin()->first;
            pending.begin()->second.abortReason = "cancelled: the HTTP client was closed";
            reply->abort();
            if (pending.count(reply) != 0) {
                Finish(reply);
            }
        }
    }

    void Send(const QByteArray& verb, QNetworkRequest request, const QByteArray& body,
              Callback callback) {
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(MaxRedirects);
        // Qt inflates a compressed answer whole before anyone can count it: a few hundred KB
        // become gigabytes. Asked for as it is, an answer's size is the size that arrives.
        request.setRawHeader("Accept-Encoding", "identity");
        headers->updateQtRequest(request);
        if (!manager) {
            manager = std::make_unique<QNetworkAccessManager>();
        }
        QNetworkReply* reply = manager->sendCustomRequest(request, verb, body);
        pending[reply] = Pending{verb, std::move(callback), QString()};

        auto* timer = new QTimer(reply);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, reply, [this, reply] {
            Abort(reply, QString("no answer within %1 ms").arg(timeoutMs));
        });
        timer->start(timeoutMs);
        QObject::connect(
            reply, &QNetworkReply::downloadProgress, reply, [this, reply](qint64 received, qint64) {
                if (received > MaxBodySize) {
                    Abort(reply, QString("the answer is larger than %1 bytes").arg(MaxBodySize));
                }
            });
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply] { Finish(reply); });
    }

    void Abort(QNetworkReply* reply, const QString& reason) {
        const auto found = pending.find(reply);
        if (found != pending.end() && found->second.abortReason.isEmpty()) {
            found->second.abortReason = reason;
            reply->abort();
        }
    }

    void Finish(QNetworkReply* reply) {
        const auto found = pending.find(reply);
        if (found == pending.end()) {
            return;
        }
        Pending request = std::move(found->second);
        pending.erase(found);
        reply->disconnect();
        reply->deleteLater();

        HttpResponse response;
        response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        QString reason = request.abortReason;
        if (reason.isEmpty()) {
            response.body = reply->readAll();
            if (reply->error() != QNetworkReply::NoError) {
                reason = response.status >= 400 ? StatusReason(reply, response.status)
                                                : reply->errorString();
            } else if (response.status < 200 || response.status >= 300) {
                // A redirect that was not followed, or an answer that is not HTTP's success
                // (a status line with 0 included).
                reason = StatusReason(reply, response.status);
            }
        }
        if (!reason.isEmpty()) {
            response.error = QString("%1 %2 failed: %3")
                                 .arg(QString::fromLatin1(request.verb),
                                      reply->url().toDisplayString(QUrl::RemoveUserInfo), reason);
        }
        request.callback(response);
    }
};

HttpClient::HttpClient(Quorvel::NotNull<std::shared_ptr<App::IHttpRequestUpdater>> headers,
                       int timeoutMs)
    : m_impl(std::make_unique<Impl>(std::move(headers), timeoutMs)) {}

HttpClient::~HttpClient() = default;

namespace {

// Qt's network objects belong to one thread: a request made elsewhere is handed over.
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
