#pragma once

#include <Quorvel/QtUtilExport.h>

namespace Quorvel::Util {

/// Whether the library's network functions prefer https (the default) or http.
QUORVEL_QTUTIL_EXPORT void SetDefaultSslUsage(bool useHttps);
/// Whether network functions prefer https (true by default).
QUORVEL_QTUTIL_EXPORT bool GetDefaultSslUsage();

}  // namespace Quorvel::Util
