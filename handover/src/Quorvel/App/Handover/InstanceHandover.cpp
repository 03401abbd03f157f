#include <Quorvel/App/Handover/InstanceHandover.h>

#include "HandoverClient.h"
#include "HandoverConnection.h"
#include "HandoverMessage.h"
#include "IHandoverPlatform.h"

#include <Quorvel/Util/AppMutexLocker.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <glog/logging.h>

namespace Quorvel::App {

namespace {

using namespace Handover;

// What a launch waits for the primary at most, connecting included: the primary answers in
// milliseconds unless it hangs or is quitting, and then the launch had better start on its own.
constexpr int kHandoverTimeoutMs = 2000;
// A primary that has just taken the lock listens within milliseconds: worth another try soon.
constexpr int kConnectRetryMs = 10;
// How often a launch that went on by itself asks for the lock of a primary that is quitting.
constexpr int kLockRetryMs = 100;

// FNV-1a: stable across builds and Qt versions, so that every version of a product finds the
// same place, and short, since a socket path may have at most 107 bytes.
std::string KeyHash(const QString& key) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char ch : key.toUtf8()) {
        hash = (hash ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
    }
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int shift = 60; shift >= 0; shift -= 4) {
        text += digits[(hash >> shift) & 15];
    }
    return text;
}

}  // namespace

struct InstanceHandover::Impl {
    InstanceHandover* self;
    Util::AppMutexLocker lock;
    Platform::HandoverEndpoint endpoint;
    bool primary = false;
    QLocalServer* server = nullptr;
    QTimer lockRetry;

    Impl(InstanceHandover* owner, const QString& key)
        : self(owner),
          lock("quorvel-handover:" + key.toStdString()),
          endpoint(Platform::FindHandoverEndpoint("quorvel-handover-" + KeyHash(key))) {}

    // Holding the lock: whatever sits at the endpoint was left by a primary that ended.
    void TakeOver() {
        primary = true;
        if (endpoint.serverName.empty()) {
            return;  // reported when the endpoint was sought
        }
        std::string problem;
        if (!Platform::ClearStaleEndpoint(endpoint.serverName, problem)) {
            LOG(ERROR) << "This instance takes no hand-overs: " << problem;
            return;
        }
        server = new QLocalServer(self);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!server->listen(QString::fromStdString(endpoint.serverName))) {
            LOG(ERROR) << "This instance takes no hand-overs: listening failed: "
                       << server->errorString().toStdString();
            delete server;
            server = nullptr;
            return;
        }
        QObject::connect(server, &QLocalServer::newConnection, self, [this] { Accept(); });
    }

    void Accept() {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            std::string peer;
            if (!Platform::IsPeerOfThisUser(socket->socketDescriptor(), peer)) {
                LOG(WARNING) << "A hand-over connection from " << peer
                             << " is refused: only this user's launches may hand over";
                socket->abort();
                socket->deleteLater();
                continue;
            }
            auto* connection = new HandoverConnection(socket, peer, self);
            QObject::connect(connection, &HandoverConnection::Received, self,
                             [this](const HandoverMessage& message) {
                                 emit self->Received(message.arguments, message.workingDirectory);
                             });
        }
    }

    bool TryTakeOver() {
        if (!lock.TryLockAppMutex()) {
            return false;
        }
        lockRetry.stop();
        TakeOver();
        return true;
    }
};

InstanceHandover::InstanceHandover(const QString& key, QObject* parent)
    : QObject(parent), m_impl(std::make_unique<Impl>(this, key)) {
    if (!m_impl->TryTakeOver() && m_impl->lock.IsUnavailable()) {
        m_impl->primary = true;  // alone, as without the service; the locker said why
        return;
    }
    const Platform::HandoverEndpoint& endpoint = m_impl->endpoint;
    if (!endpoint.passedOver.empty()) {
        LOG(ERROR) << "The hand-over does not use the runtime folder: " << endpoint.passedOver
                   << "; the private folder of this user in the temp folder serves instead";
    }
    if (endpoint.serverName.empty()) {
        LOG(ERROR) << "There is no place for the hand-over: " << endpoint.problem;
    }
    m_impl->lockRetry.setInterval(kLockRetryMs);
    connect(&m_impl->lockRetry, &QTimer::timeout, this, [this] {
        if (m_impl->TryTakeOver()) {
            emit BecamePrimary();
        }
    });
}

InstanceHandover::~InstanceHandover() {
    // The socket goes before the lock, so that it never vanishes under a newer primary.
    delete m_impl->server;
    m_impl->server = nullptr;
}

bool InstanceHandover::IsPrimary() const { return m_impl->primary; }

bool InstanceHandover::HandOver(const QStringList& arguments, const QString& workingDirectory) {
    if (m_impl->primary) {
        return false;
    }
    const QByteArray message = EncodeHandoverMessage({arguments, workingDirectory});
    const QString serverName = QString::fromStdString(m_impl->endpoint.serverName);
    const QDeadlineTimer deadline(kHandoverTimeoutMs);
    std::string problem;
    if (message.isEmpty()) {
        problem = "the command line is longer than a hand-over may be (" +
                  std::to_string(kMaxMessageSize) + " bytes)";
    } else if (serverName.isEmpty()) {
        problem = "there is no place to reach the running instance";
    }
    while (problem.empty()) {
        const auto result = HandoverClient::Send(serverName, message, deadline, problem);
        if (result == HandoverClient::Result::Taken) {
            return true;
        }
        if (result == HandoverClient::Result::NoServer) {
            if (m_impl->TryTakeOver()) {
                problem = "the running instance ended before it took the command line";
            } else if (deadline.hasExpired()) {
                problem = "the running instance did not answer within " +
                          std::to_string(kHandoverTimeoutMs / 1000) + " s";
            } else {
                QThread::msleep(kConnectRetryMs);
            }
        }
    }
    LOG(WARNING) << "The command line could not be handed to the running instance: " << problem
                 << "; this launch goes on by itself";
    if (!m_impl->primary) {
        m_impl->lockRetry.start();
    }
    return false;
}

}  // namespace Quorvel::App
