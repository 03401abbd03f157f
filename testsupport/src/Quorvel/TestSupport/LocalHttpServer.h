#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

#include <vector>

namespace Quorvel::TestSupport {

// A small HTTP/1.1 server on 127.0.0.1, on a free port, served by the test's event loop. It
// records every request it reads completely and answers as told.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Answer {
        Ok,              // 200 with the body given to SetAnswer
        Deflated,        // 200 with that body compressed (Content-Encoding: deflate)
        ServerError,     // 500
        Never,           // reads the request and keeps the connection open without a word
        Close,           // reads the request and closes the connection
        RedirectToSelf,  // 302 to the same path: a loop
        StatusZero,      // a status line whose status is 0
        Refuse,          // stops listening: connections are refused
        Raw,             // the body given to SetAnswer is the whole answer; then it closes
        RawReset,        // the same, then it resets the connection
    };
    struct Request {
        QByteArray method;
        QByteArray path;                       // with the query
        QMap<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray body;
    };

    LocalHttpServer();
    // http://127.0.0.1:<port><path>
    QUrl Url(const QString& path) const;
    void SetAnswer(Answer answer, const QByteArray& body = QByteArray());
    const std::vector<Request>& Requests() const { return m_requests; }
    // Connections that began with a TLS handshake, which this server does not speak.
    int TlsHellos() const { return m_tlsHellos; }

private:
    void Read(QTcpSocket* socket);
    void Respond(QTcpSocket* socket, const Request& request);

    QTcpServer m_server;
    quint16 m_port = 0;
    Answer m_answer = Answer::Ok;
    QByteArray m_body;
    std::vector<Request> m_requests;
    int m_tlsHellos = 0;
};

}  // namespace Quorvel::TestSupport
