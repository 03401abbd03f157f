#include "ExecutableNames.h"

namespace Quorvel::App::Platform {

QString ExecutableSuffix() { return QStringLiteral(".exe"); }

QString UserAgentKey(const QString& fileName) { return fileName; }

}  // namespace Quorvel::App::Platform
