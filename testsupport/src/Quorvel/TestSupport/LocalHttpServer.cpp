#include <Quorvel/TestSupport/LocalHttpServer.h>

#include <QTcpSocket>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace Quorvel::TestSupport {

LocalHttpServer::LocalHttpServer() {
    m_server.listen(QHostAddress::LocalHost);
    m_port = m_server.serverPort();
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LocalHttpServer::Url(const QString& path) const {
    return QUrl(QString("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

void LocalHttpServer::SetAnswer(Answer answer, const QByteArray& body) {
    m_answer = answer;
    m_body = body;
    if (answer == Answer::Refuse) {
        m_server.close();
    }
}

// Requests may arrive in pieces: the bytes wait on the socket until a whole one is there.
void LocalHttpServer::Read(QTcpSocket* socket) {
    const QByteArray data = socket->peek(socket->bytesAvailable());
    if (data.startsWith('\x16')) {  // a TLS record of the handshake: a ClientHello
        ++m_tlsHellos;
        socket->abort();
        return;
    }
    const int headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        return;
    }
    Request request;
    const QList<QByteArray> lines = data.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0) {
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
        }
    }
    const int length = request.headers.value("content-length", "0").toInt();
    if (data.size() < headerEnd + 4 + length) {
        return;
    }
    request.body = data.mid(headerEnd + 4, length);
    socket->read(headerEnd + 4 + length);
    m_requests.push_back(request);
    Respond(socket, request);
}

void LocalHttpServer::Respond(QTcpSocket* socket, const Request& request) {
    QByteArray head;
    QByteArray body = m_body;
    switch (m_answer) {
        case Answer::Never:
        case Answer::Refuse:
            return;
        case Answer::Close:
            socket->disconnectFromHost();
            return;
        case Answer::Raw:
            socket->write(body);
            socket->disconnectFromHost();
            return;
        case Answer::RawReset: {
            socket->write(body);
            socket->flush();
            // Lingering for no time makes the close a reset.
            linger noLinger{};
            noLinger.l_onoff = 1;
            setsockopt(socket->socketDescriptor(), SOL_SOCKET, SO_LINGER,
                       reinterpret_cast<const char*>(&noLinger), sizeof noLinger);
            socket->abort();
            return;
        }
        case Answer::Ok:
            head = "HTTP/1.1 200 OK\r\n";
            break;
        case Answer::Deflated:
            head = "HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\n";
            body = qCompress(body, 9).mid(4);  // the zlib stream, without Qt's length prefix
            break;
        case Answer::ServerError:
            head = "HTTP/1.1 500 Internal Server Error\r\n";
            break;
        case Answer::StatusZero:
            head = "HTTP/1.1 0 No Content\r\n";
            break;
        case Answer::RedirectToSelf:
            head = "HTTP/1.1 302 Found\r\nLocation: " + request.path + "\r\n";
            body.clear();
            break;
    }
    socket->write(head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

}  // namespace Quorvel::TestSupport
