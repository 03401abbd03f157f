#pragma once

// Kept free of Qt so that the Windows backend builds and runs on its own.

#include <string>
#include <vector>

namespace Quorvel::App::Platform {

// A path as the system gives it: UTF-16 on Windows, file-name bytes elsewhere.
#if defined(_WIN32)
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

// The executable path of every running process, in the order the system enumerates them.
// A process whose executable cannot be read (gone meanwhile, no access, a kernel thread)
// is listed with an empty path. Empty when the processes cannot be enumerated at all.
std::vector<NativePath> ListProcessExecutables();

}  // namespace Quorvel::App::Platform
