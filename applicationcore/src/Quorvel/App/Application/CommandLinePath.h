#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QString>

namespace Quorvel::App {

/// \file
/// Paths that come from the command line or the environment, as Qt's file classes can reach
/// them. On Linux a file name is bytes, and Qt decodes them as it decodes every file name
/// (QFile::decodeName): a byte that is no UTF-8, such as 0xFF, becomes U+FFFD, and the decoded
/// path names another file. These give a path that reaches the very bytes that were given; a
/// path that was UTF-8 comes back as it is. Where the bytes cannot be reached, one ERROR names
/// them, and the decoded path is given.

/// The path that reaches the bytes given for `value`: an argument, or an option's value, as
/// QCoreApplication::arguments() decoded it.
QUORVEL_APPLICATIONCORE_EXPORT QString CommandLinePath(const QString& value);

/// The path that reaches the bytes of the environment variable `name`; empty when it is not set.
QUORVEL_APPLICATIONCORE_EXPORT QString EnvironmentPath(const char* name);

}  // namespace Quorvel::App
