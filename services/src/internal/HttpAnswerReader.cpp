#include "internal/HttpAnswerReader.h"

#include <algorithm>

namespace Quorvel::Networking::Internal {

namespace {

// Far beyond the few headers of a web service, small enough that a server sending headers
// for ever is stopped early.
constexpr int kMaxHeadSize = 64 * 1024;
// A chunk-size line of a few hex digits with an extension; more is not a chunk size.
constexpr int kMaxChunkSizeLine = 1024;

bool IsDigits(const QByteArray& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

HttpAnswerReader::HttpAnswerReader(bool bodyless, qint64 maxBodySize)
    : m_bodyless(bodyless), m_maxBodySize(maxBodySize) {}

QByteArray HttpAnswerReader::Header(const QByteArray& name) const {
    for (auto it = m_headers.crbegin(); it != m_headers.crend(); ++it) {
        if (it->first.compare(name, Qt::CaseInsensitive) == 0) {
            return it->second;
        }
    }
    return QByteArray();
}

HttpAnswerReader::State HttpAnswerReader::Feed(const QByteArray& bytes) {
    if (m_state == State::Reading) {
        m_buffer += bytes;
        Run();
    }
    return m_state;
}

HttpAnswerReader::State HttpAnswerReader::Closed() {
    if (m_state != State::Reading) {
        return m_state;
    }
    switch (m_phase) {
        case Phase::UntilClose:
            m_state = State::Done;
            break;
        case Phase::Head:
            Fail("the connection closed before the answer's headers ended");
            break;
        case Phase::Length:
            Fail(QString("the connection closed after %1 of the %2 bytes the answer announced")
                     .arg(m_announced - m_remaining)
                     .arg(m_announced));
            break;
        default:
            Fail("the connection closed before the answer's last chunk");
            break;
    }
    return m_state;
}

void HttpAnswerReader::Fail(const QString& problem) {
    m_state = State::Failed;
    m_problem = problem;
    m_buffer.clear();
}

void HttpAnswerReader::Append(const QByteArray& bytes) {
    if (m_body.size() + bytes.size() > m_maxBodySize) {
        Fail(QString("the answer is larger than %1 bytes").arg(m_maxBodySize));
        return;
    }
    m_body += bytes;
}

bool HttpAnswerReader::TakeLine(QByteArray& line) {
    const int end = m_buffer.indexOf('\n');
    if (end < 0) {
        return false;
    }
    line = m_buffer.left(end);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    m_buffer.remove(0, end + 1);
    return true;
}

QByteArray HttpAnswerReader::TakeRemaining() {
    const QByteArray part = m_buffer.left(int(std::min<qint64>(m_remaining, m_buffer.size())));
    m_buffer.remove(0, part.size());
    m_remaining -= part.size();
    return part;
}

void HttpAnswerReader::Run() {
    while (m_state == State::Reading) {
        switch (m_phase) {
            case Phase::Head:
                if (!ReadHead()) return;
                break;
            case Phase::Length: {
                Append(TakeRemaining());
                if (m_state != State::Reading) return;
                if (m_remaining > 0) return;
                m_state = State::Done;
                return;
            }
            case Phase::UntilClose:
                Append(m_buffer);
                m_buffer.clear();
                return;
            case Phase::ChunkSize:
                if (!ReadChunkSize()) return;
                break;
            case Phase::ChunkData: {
                m_body += TakeRemaining();  // checked against the limit with the chunk's size
                if (m_remaining > 0) return;
                m_phase = Phase::ChunkEnd;
                break;
            }
            case Phase::ChunkEnd:
                if (m_buffer.size() < 2) return;
                if (!m_buffer.startsWith("\r\n")) {
                    Fail("a chunk does not end where its size says");
                    return;
                }
                m_buffer.remove(0, 2);
                m_phase = Phase::ChunkSize;
                break;
            case Phase::Trailers: {
                QByteArray line;
                if (!TakeLine(line)) {
                    if (m_buffer.size() > kMaxHeadSize) Fail("the answer's trailers do not end");
                    return;
                }
                if (line.isEmpty()) m_state = State::Done;
                break;
            }
        }
    }
}

bool HttpAnswerReader::ReadHead() {
    const int end = m_buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (m_buffer.size() > kMaxHeadSize) {
            Fail(QString("the answer's headers are longer than %1 bytes").arg(kMaxHeadSize));
        }
        return false;
    }
    const QList<QByteArray> lines = m_buffer.left(end).split('\n');
    m_buffer.remove(0, end + 4);
    const QByteArray statusLine = lines.first().trimmed();
    const int space = statusLine.indexOf(' ');
    const QByteArray version = statusLine.left(space);
    const QByteArray code = statusLine.mid(space + 1).split(' ').first();
    if (space < 0 || !version.startsWith("HTTP/1.") || !IsDigits(code) || code.size() > 3) {
        Fail("the answer does not begin with an HTTP/1 status line");
        return false;
    }
    m_status = code.toInt();
    m_reason = statusLine.mid(space + 1 + code.size()).trimmed();
    m_headers.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon <= 0) {
            Fail("the answer has a header line without a name");
            return false;
        }
        m_headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    if (m_status >= 100 && m_status < 200) {
        return true;  // an interim answer: the real one follows
    }
    if (m_bodyless || m_status == 204 || m_status == 304) {
        m_state = State::Done;
        return false;
    }
    const QByteArray coding = Header("Transfer-Encoding").toLower();
    const QByteArray length = Header("Content-Length");
    if (coding.endsWith("chunked")) {
        m_phase = Phase::ChunkSize;
    } else if (!length.isNull()) {
        // Up to 18 digits fit a qint64; what is larger is beyond any limit anyway.
        if (!IsDigits(length) || length.size() > 18) {
            Fail("the answer's Content-Length is not a number of bytes");
            return false;
        }
        m_announced = m_remaining = length.toLongLong();
        if (m_announced > m_maxBodySize) {
            Fail(QString("the answer is larger than %1 bytes").arg(m_maxBodySize));
            return false;
        }
        m_phase = Phase::Length;
    } else {
        m_phase = Phase::UntilClose;
    }
    return true;
}

bool HttpAnswerReader::ReadChunkSize() {
    QByteArray line;
    if (!TakeLine(line)) {
        if (m_buffer.size() > kMaxChunkSizeLine) Fail("a chunk size line does not end");
        return false;
    }
    const QByteArray digits = line.split(';').first().trimmed();
    bool ok = false;
    // At most 15 hex digits: the size then fits with room to add it to the body's size.
    const qint64 size = digits.size() <= 15 ? digits.toLongLong(&ok, 16) : 0;
    if (!ok || digits.startsWith('-') || digits.startsWith('+')) {
        Fail("a chunk size is no hexadecimal number of at most 15 digits");
        return false;
    }
    if (m_body.size() + size > m_maxBodySize) {
        Fail(QString("the answer is larger than %1 bytes").arg(m_maxBodySize));
        return false;
    }
    m_remaining = size;
    m_phase = size == 0 ? Phase::Trailers : Phase::ChunkData;
    return true;
}

}  // namespace Quorvel::Networking::Internal
