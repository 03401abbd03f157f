#pragma once

#include <Quorvel/QtUtilExport.h>

#include <QString>

namespace Quorvel::Util {

/// Registers the application's font files with Qt, each path once.
class QUORVEL_QTUTIL_EXPORT FontDatabase {
public:
    /// Registers one font file (a resource path works) with the application; returns Qt's
    /// font id, -1 when the file is not a font Qt can load (the failure is logged). A path
    /// registered before is not registered again: its id is returned while Qt has the font.
    static int addApplicationFont(const QString& path);
};

}  // namespace Quorvel::Util
