#pragma once

// Kept free of Qt so that the Windows backend builds and runs on its own.

#include <string>
#include <vector>

namespace Quorvel::App::Platform {

// The process's arguments as the bytes it was started with, the program first; empty where
// the system hands them out as text (Windows) or cannot tell.
std::vector<std::string> RawArguments();

// A path to the file that `bytes` names, made only of names that are UTF-8, for file classes
// that cannot hold other bytes: on Linux the deepest folder of the path whose name is no UTF-8
// is opened once and named through /proc/self/fd. Empty, with `problem` set, when that folder
// cannot be opened (or the name that is no UTF-8 is the last one and no folder).
std::string Utf8PathTo(const std::string& bytes, std::string& problem);

}  // namespace Quorvel::App::Platform
