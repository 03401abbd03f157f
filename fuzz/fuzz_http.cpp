// Answers of web services to the HTTP client: the input is the raw answer (status line,
// headers, body) that a server sends to a GET, after which it closes the connection. Every
// request and redirect goes through a local tunnelling proxy that answers with the input, so
// nothing leaves this machine. Whatever the answer, the callback runs exactly once, a success
// is a 2xx status, and a failure names the method.

#include "FuzzSupport.h"

#include <Quorvel/App/IHttpRequestUpdater.h>
#include <Quorvel/Networking/HttpClient.h>

#include <QCoreApplication>

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace {

class NoHeaders : public Quorvel::App::IHttpRequestUpdater {
public:
    void updateQtRequest(QNetworkRequest&) const override {}
    std::map<std::string, std::string> getRawHeaders() const override { return {}; }
};

// Opens every tunnel asked for, then answers the request sent through it with `answer` once
// its headers are in, and closes.
class AnsweringProxy : public QTcpServer {
public:
    QByteArray answer;

    AnsweringProxy() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    QByteArray& request = m_requests[socket];
                    request += socket->readAll();
                    if (request.startsWith("CONNECT ") && request.contains("\r\n\r\n")) {
                        request.clear();
                        socket->write("HTTP/1.1 200 Connection established\r\n\r\n");
                    } else if (request.contains("\r\n\r\n")) {
                        m_requests.remove(socket);
                        socket->write(answer);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }

private:
    QHash<QTcpSocket*, QByteArray> m_requests;
};

struct Setup {
    int argc = 1;
    char program[13] = "quorvel-fuzz";
    char* argv[2] = {program, nullptr};
    QCoreApplication application{argc, argv};
    AnsweringProxy proxy;

    Setup() {
        FUZZ_CHECK(proxy.listen(QHostAddress::LocalHost));
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", proxy.serverPort()));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Quorvel::Networking::HttpResponse;
    Quorvel::Fuzz::Prepare();
    static Setup setup;
    setup.proxy.answer = Quorvel::Fuzz::Bytes(data, size);

    int calls = 0;
    HttpResponse response;
    QEventLoop loop;
    {
        // Short enough that a silent answer ends well within the fuzzer's own timeout.
        constexpr int kTimeoutMs = 3000;
        Quorvel::Networking::HttpClient client(std::make_shared<NoHeaders>(), kTimeoutMs);
        client.Get(QNetworkRequest(QUrl("http://quorvel.example/version")),
                   [&](const HttpResponse& answer) {
                       ++calls;
                       response = answer;
                       loop.quit();
                   });
        QTimer::singleShot(2 * kTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        FUZZ_CHECK(calls == 1);
    }
    FUZZ_CHECK(calls == 1);
    FUZZ_CHECK(!response.error.isEmpty() || (response.status >= 200 && response.status < 300));
    FUZZ_CHECK(response.error.isEmpty() || response.error.startsWith("GET "));
    // Errors are logged: the server's words in them show no control character.
    FUZZ_CHECK(std::none_of(response.error.begin(), response.error.end(),
                            [](QChar c) { return c.category() == QChar::Other_Control; }));
    FUZZ_CHECK(response.body.size() <= Quorvel::Networking::HttpClient::MaxBodySize);
    return 0;
}
