#pragma once

#include <Quorvel/Core/Version.h>
#include <Quorvel/QtUtilExport.h>

#include <QString>

#include <string>

namespace Quorvel::Util {

/// The version as users see it: "major.minor" and, when not zero, ".patch"; the build
/// number follows in parentheses when not zero ("2.1 (317)", "2.1.4 (317)", "3.0").
QUORVEL_QTUTIL_EXPORT QString
GenerateApplicationVisibleVersion(const Quorvel::Core::Version& version);

/// "64" or "32": the bitness of the running build.
QUORVEL_QTUTIL_EXPORT std::string AppBits();

/// "win" or "linux": the operating system the build is for, as theme style sheets
/// ("fonts_\<token\>.qss"), font placeholder blocks, link addresses and request headers name it.
QUORVEL_QTUTIL_EXPORT const char* PlatformToken();

}  // namespace Quorvel::Util
