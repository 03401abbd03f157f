#pragma once

// Private to the application core; not installed.

#include <Quorvel/ApplicationCoreExport.h>

#include <string>

namespace Quorvel::App::Detail {

// HighDpiFix with the system library and its entry named by the caller, so that the path
// through a library that loads can be exercised where "Shcore.dll" does not exist.
QUORVEL_APPLICATIONCORE_EXPORT void HighDpiFix(const std::string& library, const char* entry);

}  // namespace Quorvel::App::Detail
