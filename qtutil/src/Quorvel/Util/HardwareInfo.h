#pragma once

#include <Quorvel/QtUtilExport.h>

#include <string>

namespace Quorvel::Util {

/// One line describing the machine: processor, logical cores, memory and operating system,
/// for example "CPU: \<model\>; Cores: 8; RAM: 15.5 GiB; OS: Debian GNU/Linux 12 (x86_64)".
/// Facts that cannot be read are written as "unknown". Read once, at the first call, from
/// whichever thread makes it.
QUORVEL_QTUTIL_EXPORT std::string GetHardwareInfo();

}  // namespace Quorvel::Util
