#include "HandoverConnection.h"

#include <QLocalSocket>

#include <glog/logging.h>

namespace Quorvel::App::Handover {

namespace {

// A launch sends its message at once; one that has not within this time is stuck or is not
// a launch, and the connection is not worth keeping.
constexpr int kMessageTimeoutMs = 2000;

}  // namespace

HandoverConnection::HandoverConnection(QLocalSocket* socket, std::string peer, QObject* parent)
    : QObject(parent), m_socket(socket), m_peer(std::move(peer)) {
    m_socket->setParent(this);
    m_socket->setReadBufferSize(kMaxMessageSize);
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        Drop("no complete message came within " + std::to_string(kMessageTimeoutMs / 1000) + " s");
    });
    connect(m_socket, &QLocalSocket::readyRead, this, &HandoverConnection::Read);
    connect(m_socket, &QLocalSocket::disconnected, this, [this] {
        Read();
        if (!m_done && m_reader.End() == HandoverMessageReader::State::Refused) {
            Drop(m_reader.Problem());
        }
    });
    m_timeout.start(kMessageTimeoutMs);
    Read();  // bytes may have come with the connection
}

void HandoverConnection::Read() {
    if (m_done) {
        return;
    }
    using State = HandoverMessageReader::State;
    const State state = m_reader.Feed(m_socket->readAll());
    if (state == State::Refused) {
        Drop(m_reader.Problem());
    } else if (state == State::Complete) {
        m_socket->write(kAcknowledgement);
        m_socket->flush();
        const HandoverMessage message = m_reader.Message();
        Finish();
        m_socket->disconnectFromServer();  // after the acknowledgement is written
        emit Received(message);
    }
}

void HandoverConnection::Drop(const std::string& problem) {
    if (m_done) {
        return;
    }
    LOG(WARNING) << "A hand-over connection from " << m_peer << " is dropped: " << problem;
    Finish();
    m_socket->abort();
}

void HandoverConnection::Finish() {
    m_done = true;
    m_timeout.stop();
    deleteLater();
}

}  // namespace Quorvel::App::Handover
