#include <Quorvel/Util/BuildInfo.h>

namespace Quorvel::Util {

QString GenerateApplicationVisibleVersion(const Quorvel::Core::Version& version) {
    QString text = QString::number(version.major) + "." + QString::number(version.minor);
    if (version.patch != 0) {
        text += "." + QString::number(version.patch);
    }
    if (version.build != 0) {
        text += " (" + QString::number(version.build) + ")";
    }
    return text;
}

std::string AppBits() { return sizeof(void*) == 8 ? "64" : "32"; }

}  // namespace Quorvel::Util
