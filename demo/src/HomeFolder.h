#pragma once

#include <string>

// Settings, logs and data live below the user's home folder, which Qt takes from HOME alone:
// without it they would go to the root of the file system. When HOME is unset, empty or the
// root, sets it to the user's home folder in the password database and returns that folder;
// returns an empty string when HOME was fine (and on Windows, where Qt asks the system for the
// profile folder). Throws std::runtime_error when the user has no home folder there either, or
// only one that does not exist.
// Call before the application object exists, since Qt's platform plugins read HOME too.
std::string EnsureHomeFolder();
