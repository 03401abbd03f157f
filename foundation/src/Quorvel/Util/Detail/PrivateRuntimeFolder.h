#pragma once

// Internal to the libraries; not installed. POSIX only: on Windows, named kernel objects and
// pipes carry their own access rules.

#ifndef _WIN32

#include <Quorvel/FoundationExport.h>

#include <filesystem>
#include <string>

namespace Quorvel::Util::Detail {

// Where this user's locks and sockets live: a folder in which nobody else can put a file or
// a link, so that what is found there was made by this user.
struct PrivateRuntimeFolder {
    std::filesystem::path path;  // empty when no such folder can be had
    std::string problem;         // why `path` is empty
    std::string passedOver;      // why $XDG_RUNTIME_DIR, though set, was not taken
};

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else may enter; else
// "quorvel-<uid>" in the temp folder, made mode 0700 when missing, and taken only when it is
// a real folder (not a link) of this user that nobody else may enter. Paths in the texts are
// quoted in brackets, escaped for the log.
QUORVEL_FOUNDATION_EXPORT PrivateRuntimeFolder FindPrivateRuntimeFolder();

}  // namespace Quorvel::Util::Detail

#endif
