#pragma once

#include <Quorvel/ApplicationCoreExport.h>

namespace Quorvel::App {

// Graphics switches: they set process-wide attributes, so call them before the application
// object exists.

/// Lets Windows scale the whole process as a bitmap where the system supports it, and Qt's own
/// high-DPI scaling elsewhere (Qt 6 always scales: there it rounds the scale factors to whole
/// ones as Qt 5 did, unless the product chose a rounding policy). Does nothing when
/// QUORVEL_DPI_POLICY is exactly "NOSCALE".
QUORVEL_APPLICATIONCORE_EXPORT void HighDpiFix();

/// Renders through the desktop OpenGL driver.
QUORVEL_APPLICATIONCORE_EXPORT void UseDesktopOpenGL();

}  // namespace Quorvel::App
