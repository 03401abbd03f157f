#include "HandoverClient.h"

#include "HandoverMessage.h"

#include <QLocalSocket>

#include <algorithm>

namespace Quorvel::App::Handover {

namespace {

int Remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
}

}  // namespace

HandoverClient::Result HandoverClient::Send(const QString& serverName, const QByteArray& message,
                                            const QDeadlineTimer& deadline, std::string& problem) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(Remaining(deadline))) {
        const auto error = socket.error();
        if (error == QLocalSocket::ServerNotFoundError ||
            error == QLocalSocket::ConnectionRefusedError) {
            return Result::NoServer;
        }
        problem =
            "the connection to the running instance failed: " + socket.errorString().toStdString();
        return Result::Failed;
    }
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(Remaining(deadline))) {
            problem = "the running instance did not read the command line in time";
            return Result::Failed;
        }
    }
    const QByteArray expected(kAcknowledgement);
    QByteArray answer;
    while (answer.size() < expected.size()) {
        answer += socket.read(expected.size() - answer.size());
        if (answer.size() < expected.size() && !socket.waitForReadyRead(Remaining(deadline))) {
            problem = socket.state() == QLocalSocket::UnconnectedState
                          ? "the running instance closed the connection without taking the "
                            "command line (it may be quitting)"
                          : "the running instance did not take the command line in time";
            return Result::Failed;
        }
    }
    if (answer != expected) {
        problem = "the running instance answered with something else than an acknowledgement";
        return Result::Failed;
    }
    return Result::Taken;
}

}  // namespace Quorvel::App::Handover
