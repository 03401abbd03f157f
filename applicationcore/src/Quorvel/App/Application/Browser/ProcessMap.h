#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QString>

#include <functional>
#include <map>

namespace Quorvel::App {

/// The running processes as a map from the executable's file name in lower case to its full
/// path as the system reports it. The filter sees every process's lower-case name (empty for
/// a process whose executable cannot be read) and decides whether it enters the map; when
/// several processes share a name, the one enumerated last wins. Empty when the processes
/// cannot be enumerated. An empty filter throws std::bad_function_call at the first process.
QUORVEL_APPLICATIONCORE_EXPORT std::map<QString, QString> GetCurrentProcessMap(
    std::function<bool(const QString&)> filter);

}  // namespace Quorvel::App
