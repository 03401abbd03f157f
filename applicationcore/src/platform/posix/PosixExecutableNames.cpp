#include "ExecutableNames.h"

namespace Quorvel::App::Platform {

QString ExecutableSuffix() { return QString(); }

QString UserAgentKey(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains('.')) {
        return fileName;
    }
    return fileName + ".exe";
}

}  // namespace Quorvel::App::Platform
