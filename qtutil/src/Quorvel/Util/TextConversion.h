#pragma once

#include <Quorvel/QtUtilExport.h>

#include <QString>

#include <string>

namespace Quorvel::Util {

/// Strings crossing the library's interfaces are UTF-8; text meant for Qt is QString.
QUORVEL_QTUTIL_EXPORT QString Utf8ToQString(const std::string& text);
/// `text` as UTF-8.
QUORVEL_QTUTIL_EXPORT std::string QStringToUtf8(const QString& text);

}  // namespace Quorvel::Util
