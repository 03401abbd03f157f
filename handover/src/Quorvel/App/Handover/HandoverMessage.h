#pragma once

// Internal to the hand-over library; not installed.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Quorvel::App::Handover {

// What a second launch gives the running instance: its command line without the program
// name, and the folder it was started in.
struct HandoverMessage {
    QStringList arguments;
    QString workingDirectory;

    bool operator==(const HandoverMessage& other) const {
        return arguments == other.arguments && workingDirectory == other.workingDirectory;
    }
};

// The bytes on the socket, all numbers unsigned 32-bit big-endian:
//   "QVHO", protocol version, length of the rest,
//   working directory, argument count, then each argument,
// where each text is its UTF-8 length followed by its UTF-8 bytes. The primary answers a
// message it took with the acknowledgement bytes.
constexpr char kMagic[] = "QVHO";
constexpr std::uint32_t kProtocolVersion = 1;
constexpr int kHeaderSize = 12;
// Far above any command line a file manager hands over (a few thousand files), small enough
// that a stranger's connection costs the primary nothing.
constexpr int kMaxMessageSize = 64 * 1024;
constexpr char kAcknowledgement[] = "QVHO-TAKEN";

// Empty when the message would not fit kMaxMessageSize.
QByteArray EncodeHandoverMessage(const HandoverMessage& message);

}  // namespace Quorvel::App::Handover
