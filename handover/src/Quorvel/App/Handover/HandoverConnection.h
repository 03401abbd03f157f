#pragma once

// Internal to the hand-over library; not installed.

#include "HandoverMessageReader.h"

#include <QObject>
#include <QTimer>

#include <string>

class QLocalSocket;

namespace Quorvel::App::Handover {

// One launch's connection to the primary, read as its bytes arrive on the GUI thread, which
// never waits for it. A complete message is acknowledged and then reported; a refused one,
// a cut one or one that does not come within the time allowed is dropped with one WARNING.
// Deletes itself, and the socket it owns, when done.
class HandoverConnection : public QObject {
    Q_OBJECT
public:
    // `peer` names the process at the other end, for the log.
    HandoverConnection(QLocalSocket* socket, std::string peer, QObject* parent);

signals:
    void Received(const Quorvel::App::Handover::HandoverMessage& message);

private:
    void Read();
    void Drop(const std::string& problem);
    void Finish();

    QLocalSocket* m_socket;
    std::string m_peer;
    QTimer m_timeout;
    HandoverMessageReader m_reader;
    bool m_done = false;
};

}  // namespace Quorvel::App::Handover
