#pragma once

// Internal to the libraries; not installed.

#include <QFile>
#include <QString>

#include <memory>

namespace Quorvel::Reading {

// A file of the program's output at a place that comes from outside (an option, a product's
// name), opened the one way every writer uses: created or emptied, only a regular file, and in
// a folder that other users can write to never through a link nor into another user's file.
// Empty, with `problem` set ("<file>: <why>"), when it cannot be opened.
std::unique_ptr<QFile> OpenOutputFile(const QString& path, QString& problem);

// Replaces the file at `path` by `bytes` whole, or leaves it as it was when that cannot be
// done (a full disk, a folder that takes no new file): there is no writing in place. Empty
// when done, else why not (without the file's name).
QString ReplaceFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace Quorvel::Reading
