#pragma once

// Internal to the libraries; not installed.

#include <QByteArray>
#include <QString>

namespace Quorvel::Reading {

// Why `bytes` cannot be handed to Qt as a compiled resource file (rcc formats 1 to 3), or an
// empty string. Qt checks only the header and then trusts the file: a damaged one makes it read
// outside the file, or allocate what a size field claims, or grow its buffer up to 2 GB for a
// zlib stream that ends early. Checked here: every node of the tree reached once; every name
// and payload within the file; every compressed payload's size within Limits::kFontFile, and
// its zlib stream whole.
QString ResourceFileProblem(const QByteArray& bytes);
// The same for the file at `path`, which InputFile::Check has taken; mapped, not read.
QString ResourceFileProblemAt(const QString& path);

}  // namespace Quorvel::Reading
