#include "HandoverMessageReader.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace Quorvel::App::Handover {

namespace {

std::uint32_t NumberAt(const QByteArray& bytes, int offset) {
    return qFromBigEndian<std::uint32_t>(bytes.constData() + offset);
}

// Walks the body; every read is checked against what is left.
class BodyCursor {
public:
    explicit BodyCursor(const QByteArray& body) : m_body(body) {}

    bool Number(std::uint32_t& number) {
        if (Left() < 4) {
            return false;
        }
        number = NumberAt(m_body, m_offset);
        m_offset += 4;
        return true;
    }

    // Text that is not valid UTF-8 does not survive the way back unchanged.
    bool Text(QString& text) {
        std::uint32_t size = 0;
        if (!Number(size) || size > static_cast<std::uint32_t>(Left())) {
            return false;
        }
        const QByteArray utf8 = m_body.mid(m_offset, static_cast<int>(size));
        m_offset += static_cast<int>(size);
        text = QString::fromUtf8(utf8);
        return text.toUtf8() == utf8;
    }

    int Left() const { return m_body.size() - m_offset; }

private:
    const QByteArray& m_body;
    int m_offset = kHeaderSize;
};

}  // namespace

HandoverMessageReader::State HandoverMessageReader::Feed(const QByteArray& bytes) {
    if (bytes.isEmpty() || m_state == State::Refused) {
        return m_state;
    }
    if (m_state == State::Complete) {
        return Refuse("more bytes came after the message");
    }
    m_buffer.append(bytes);
    const int magicSeen = std::min<int>(m_buffer.size(), 4);
    if (std::memcmp(m_buffer.constData(), kMagic, static_cast<size_t>(magicSeen)) != 0) {
        return Refuse("the bytes are not a hand-over message");
    }
    if (m_buffer.size() >= 8 && NumberAt(m_buffer, 4) != kProtocolVersion) {
        return Refuse("the message is of protocol version " +
                      std::to_string(NumberAt(m_buffer, 4)) + ", not " +
                      std::to_string(kProtocolVersion));
    }
    if (m_buffer.size() < kHeaderSize) {
        return m_state;
    }
    const std::uint32_t announced = NumberAt(m_buffer, 8);
    if (announced > static_cast<std::uint32_t>(kMaxMessageSize - kHeaderSize)) {
        return Refuse("the message announces " + std::to_string(announced) +
                      " bytes, more than a message may have (" + std::to_string(kMaxMessageSize) +
                      " with its header)");
    }
    const int expected = kHeaderSize + static_cast<int>(announced);
    if (m_buffer.size() > expected) {
        return Refuse("more bytes came than the message announces");
    }
    if (m_buffer.size() < expected) {
        return m_state;
    }
    if (!ParseBody()) {
        return Refuse("the message's texts do not fill it as announced, or are not UTF-8");
    }
    m_buffer.clear();
    m_state = State::Complete;
    return m_state;
}

HandoverMessageReader::State HandoverMessageReader::End() {
    if (m_state == State::Incomplete) {
        return Refuse(m_buffer.isEmpty() ? "the connection ended before a message came"
                                         : "the connection ended in the middle of the message");
    }
    return m_state;
}

HandoverMessageReader::State HandoverMessageReader::Refuse(std::string problem) {
    m_problem = std::move(problem);
    m_buffer.clear();
    m_message = {};
    m_state = State::Refused;
    return m_state;
}

bool HandoverMessageReader::ParseBody() {
    BodyCursor cursor(m_buffer);
    std::uint32_t count = 0;
    if (!cursor.Text(m_message.workingDirectory) || !cursor.Number(count) ||
        count > static_cast<std::uint32_t>(cursor.Left() / 4)) {  // each takes 4 bytes at least
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        QString argument;
        if (!cursor.Text(argument)) {
            return false;
        }
        m_message.arguments.append(argument);
    }
    return cursor.Left() == 0;
}

}  // namespace Quorvel::App::Handover
