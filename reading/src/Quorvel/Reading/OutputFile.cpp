#include <Quorvel/Reading/OutputFile.h>

#include "RegularFile.h"

#include <QDir>

namespace Quorvel::Reading {

std::unique_ptr<QFile> OpenOutputFile(const QString& path, QString& problem) {
    const Platform::WritableFile opened =
        Platform::OpenRegularFileForWriting(path.toUtf8().toStdString());
    auto file = std::make_unique<QFile>(path);
    if (opened.descriptor < 0 ||
        !file->open(opened.descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        problem =
            QDir::toNativeSeparators(path) + QStringLiteral(": ") +
            (opened.problem.empty() ? file->errorString() : QString::fromStdString(opened.problem));
        return nullptr;
    }
    return file;
}

QString ReplaceFileWhole(const QString& path, const QByteArray& bytes) {
    return QString::fromStdString(
        Platform::ReplaceRegularFile(path.toUtf8().toStdString(), bytes.toStdString()));
}

}  // namespace Quorvel::Reading
