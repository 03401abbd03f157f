#pragma once

// Internal to the libraries; not installed.

#include <QByteArray>
#include <QString>

namespace Quorvel::Reading {

// One file of outside input, read or checked the one way every reader uses: only a regular
// file of at most a stated size (Limits.h) is taken; a FIFO, a device or a folder is refused
// without waiting on it. Qt resource paths (":/...") are read through QFile.
class InputFile {
public:
    enum class Status { Read, Missing, Refused };

    // The whole file, or why not.
    static InputFile Read(const QString& path, qint64 limit);
    // The same checks without reading, for a file that Qt loads by its path afterwards
    // (resource files, translations).
    static InputFile Check(const QString& path, qint64 limit);

    Status status() const { return m_status; }
    bool IsRead() const { return m_status == Status::Read; }
    const QByteArray& Bytes() const { return m_bytes; }
    // Why the file was not taken ("the file does not exist", "this is a FIFO, ...").
    const QString& Problem() const { return m_problem; }
    // "<file>: <problem>", the file in native separators.
    QString Describe() const;

private:
    static InputFile Open(const QString& path, qint64 limit, bool read);

    QString m_path;
    Status m_status = Status::Missing;
    QByteArray m_bytes;
    QString m_problem;
};

}  // namespace Quorvel::Reading
