#include <Quorvel/Reading/InputFile.h>

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Quorvel::Reading {

namespace {

bool IsResourcePath(const QString& path) {
    return path.startsWith(QLatin1Char(':')) || path.startsWith(QLatin1String("qrc:"));
}

}  // namespace

InputFile InputFile::Read(const QString& path, qint64 limit) { return Open(path, limit, true); }

InputFile InputFile::Check(const QString& path, qint64 limit) { return Open(path, limit, false); }

InputFile InputFile::Open(const QString& path, qint64 limit, bool read) {
    InputFile result;
    result.m_path = path;
    if (IsResourcePath(path)) {
        // Compiled-in or registered resources live in memory: no FIFO or device among them.
        const QFileInfo info(path);
        QFile file(path);
        if (!info.exists()) {
            result.m_problem = QStringLiteral("the file does not exist");
        } else if (info.isDir()) {
            result.m_status = Status::Refused;
            result.m_problem = QStringLiteral("this is a folder, not a file");
        } else if (info.size() > limit) {
            result.m_status = Status::Refused;
            result.m_problem = QStringLiteral("the file has %1 bytes, more than the %2 it may have")
                                   .arg(info.size())
                                   .arg(limit);
        } else if (!read) {
            result.m_status = Status::Read;
        } else if (file.open(QIODevice::ReadOnly)) {
            result.m_status = Status::Read;
            result.m_bytes = file.readAll();
        } else {
            result.m_status = Status::Refused;
            result.m_problem = "the file cannot be read: " + file.errorString();
        }
        return result;
    }

    Platform::RegularFile file = Platform::OpenRegularFile(
        path.toUtf8().toStdString(), static_cast<std::uint64_t>(std::max<qint64>(limit, 0)), read);
    switch (file.outcome) {
        case Platform::RegularFile::Outcome::Read:
            result.m_status = Status::Read;
            break;
        case Platform::RegularFile::Outcome::Missing:
            result.m_status = Status::Missing;
            break;
        case Platform::RegularFile::Outcome::Refused:
            result.m_status = Status::Refused;
            break;
    }
    result.m_bytes = QByteArray::fromStdString(file.bytes);
    result.m_problem = QString::fromStdString(file.problem);
    return result;
}

QString InputFile::Describe() const {
    return QDir::toNativeSeparators(m_path) + QStringLiteral(": ") + m_problem;
}

}  // namespace Quorvel::Reading
