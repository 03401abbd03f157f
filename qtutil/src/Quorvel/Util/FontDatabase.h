#pragma once

#include <Quorvel/QtUtilExport.h>

#include <QString>

namespace Quorvel::Util {

class QUORVEL_QTUTIL_EXPORT FontDatabase {
public:
    // Registers one font file (a resource path works) with the application; returns Qt's
    // font id, -1 when the file is not a font Qt can load (the failure is logged).
    static int addApplicationFont(const QString& path);
};

}  // namespace Quorvel::Util
