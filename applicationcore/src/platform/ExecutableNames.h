#pragma once

#include <QString>

namespace Quorvel::App::Platform {

// The file-name suffix of executables: ".exe" on Windows, empty elsewhere.
QString ExecutableSuffix();

// The key under which the user-agent table knows an executable's file name. The table is
// written with Windows names, so elsewhere a name without a suffix gets ".exe".
QString UserAgentKey(const QString& fileName);

}  // namespace Quorvel::App::Platform
