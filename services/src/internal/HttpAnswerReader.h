#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace Quorvel::Networking::Internal {

// An HTTP/1.1 answer read as it arrives, strictly: it is whole only when it ends as the
// protocol says it must (the announced length, the last chunk, or the close of a connection
// that announced neither). Anything else, a cut answer included, is a failure with the
// reason, never an answer that looks complete.
class HttpAnswerReader {
public:
    enum class State { Reading, Done, Failed };

    // `bodyless`: the answer to a HEAD request, which has headers only.
    HttpAnswerReader(bool bodyless, qint64 maxBodySize);

    State Feed(const QByteArray& bytes);
    // The connection has ended: an answer not yet whole is cut.
    State Closed();

    State state() const { return m_state; }
    int Status() const { return m_status; }
    QByteArray ReasonPhrase() const { return m_reason; }
    QByteArray Header(const QByteArray& name) const;  // the last of that name, any case
    const QByteArray& Body() const { return m_body; }
    const QString& Problem() const { return m_problem; }

private:
    enum class Phase { Head, Length, ChunkSize, ChunkData, ChunkEnd, Trailers, UntilClose };

    void Run();
    bool ReadHead();
    bool ReadChunkSize();
    bool TakeLine(QByteArray& line);
    void Fail(const QString& problem);
    void Append(const QByteArray& bytes);
    // What has arrived of the `m_remaining` bytes still due, taken out of the buffer.
    QByteArray TakeRemaining();

    bool m_bodyless;
    qint64 m_maxBodySize;
    State m_state = State::Reading;
    Phase m_phase = Phase::Head;
    QByteArray m_buffer;
    int m_status = 0;
    QByteArray m_reason;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    qint64 m_remaining = 0;  // of the announced length, or of the current chunk
    qint64 m_announced = 0;
    QByteArray m_body;
    QString m_problem;
};

}  // namespace Quorvel::Networking::Internal
