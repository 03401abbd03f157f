#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace Quorvel::App::Platform {

// Where the system keeps track of installed web browsers, for the preferred-browser search.

// Key names of the shell's cache of program names (each starts with an executable path).
// Empty where the system has no such cache.
QStringList ShellCacheKeys();

// The browsers offered to start from the system's menus, as (group, open command) pairs:
// the current user's first, then the machine's, each in the order the system lists them.
// The open command is raw: it may be quoted and may carry arguments.
std::vector<std::pair<QString, QString>> StartMenuBrowsers();

}  // namespace Quorvel::App::Platform
