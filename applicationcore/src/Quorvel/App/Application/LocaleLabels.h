#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QString>

#include <map>
#include <string>

namespace Quorvel::App {

/// How the language menu names each locale, in that language (UTF-8). Names missing from
/// the table are shown as they are.
QUORVEL_APPLICATIONCORE_EXPORT const std::map<std::string, std::string>& LocaleLabels();

/// The menu text of one locale name.
QUORVEL_APPLICATIONCORE_EXPORT QString LocaleLabel(const std::string& locale);

}  // namespace Quorvel::App
