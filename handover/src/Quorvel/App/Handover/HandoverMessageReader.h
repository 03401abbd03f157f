#pragma once

// Internal to the hand-over library; not installed.

#include "HandoverMessage.h"

#include <string>

namespace Quorvel::App::Handover {

// Reads one hand-over message as its bytes arrive from a connection, holding at most
// kMaxMessageSize of them. Anything but exactly one well-formed message of this protocol
// version is refused, as early as the bytes show it.
class HandoverMessageReader {
public:
    enum class State { Incomplete, Complete, Refused };

    State Feed(const QByteArray& bytes);
    // The connection ended: a message still incomplete was cut.
    State End();

    State CurrentState() const { return m_state; }
    // After Complete.
    const HandoverMessage& Message() const { return m_message; }
    // After Refused: what was wrong, for the log.
    const std::string& Problem() const { return m_problem; }

private:
    State Refuse(std::string problem);
    bool ParseBody();

    QByteArray m_buffer;
    State m_state = State::Incomplete;
    HandoverMessage m_message;
    std::string m_problem;
};

}  // namespace Quorvel::App::Handover
