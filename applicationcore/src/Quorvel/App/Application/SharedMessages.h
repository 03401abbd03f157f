#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QString>

/// The family's standard warnings about the graphics driver, as rich text, translated in the
/// context "SharedMessages". `url` is the link target; the link is styled with the
/// application object's "linkStyle" property (empty when the product has not set it).
QUORVEL_APPLICATIONCORE_EXPORT QString GetGPUNeedSetupDriverMessage(const QString& url);
QUORVEL_APPLICATIONCORE_EXPORT QString GetGPUUnsupportedDriverMessage(const QString& url);
