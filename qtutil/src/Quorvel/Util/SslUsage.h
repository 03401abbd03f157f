#pragma once

#include <Quorvel/QtUtilExport.h>

namespace Quorvel::Util {

/// Whether the library's network functions prefer https (the default) or http. Once set, the
/// product's own requests go out in the protocol chosen, whatever their address says; until
/// then an address keeps its scheme.
QUORVEL_QTUTIL_EXPORT void SetDefaultSslUsage(bool useHttps);
/// Whether network functions prefer https (true by default).
QUORVEL_QTUTIL_EXPORT bool GetDefaultSslUsage();
QUORVEL_QTUTIL_EXPORT bool IsDefaultSslUsageChosen();

}  // namespace Quorvel::Util
