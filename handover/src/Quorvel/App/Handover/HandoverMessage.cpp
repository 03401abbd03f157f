#include "HandoverMessage.h"

#include <QtEndian>

namespace Quorvel::App::Handover {

namespace {

void AppendNumber(QByteArray& bytes, std::uint32_t number) {
    char big[4];
    qToBigEndian(number, big);
    bytes.append(big, 4);
}

void AppendText(QByteArray& bytes, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    AppendNumber(bytes, static_cast<std::uint32_t>(utf8.size()));
    bytes.append(utf8);
}

}  // namespace

QByteArray EncodeHandoverMessage(const HandoverMessage& message) {
    QByteArray body;
    AppendText(body, message.workingDirectory);
    AppendNumber(body, static_cast<std::uint32_t>(message.arguments.size()));
    for (const QString& argument : message.arguments) {
        AppendText(body, argument);
        if (body.size() > kMaxMessageSize) {
            return {};
        }
    }
    if (kHeaderSize + body.size() > kMaxMessageSize) {
        return {};
    }
    QByteArray bytes(kMagic, 4);
    AppendNumber(bytes, kProtocolVersion);
    AppendNumber(bytes, static_cast<std::uint32_t>(body.size()));
    return bytes + body;
}

}  // namespace Quorvel::App::Handover
