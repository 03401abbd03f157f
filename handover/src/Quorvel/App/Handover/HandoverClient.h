#pragma once

// Internal to the hand-over library; not installed.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <string>

namespace Quorvel::App::Handover {

// The second launch's side of one hand-over: connects to the primary's server, sends the
// message and waits for the acknowledgement, blocking, until the deadline at the latest.
// It runs before the product has a window, so that blocking costs nobody anything.
class HandoverClient {
public:
    enum class Result {
        Taken,     // the primary acknowledged the message
        NoServer,  // nothing listens (yet, or any more): worth another try
        Failed     // a server was reached but did not take the message; `problem` says how
    };

    static Result Send(const QString& serverName, const QByteArray& message,
                       const QDeadlineTimer& deadline, std::string& problem);
};

}  // namespace Quorvel::App::Handover
