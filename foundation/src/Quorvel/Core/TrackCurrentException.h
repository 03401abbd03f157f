#pragma once

#include <Quorvel/FoundationExport.h>

#include <cstddef>
#include <optional>
#include <string>

namespace Quorvel::Core {

/// An exception that TrackCurrentException was told of.
struct TrackedException {
    std::string type;     ///< dynamic type, demangled ("std::runtime_error")
    std::string message;  ///< what() of a std::exception, else "unknown exception"
};

/// Call inside a catch block: records the exception being handled for the crash reporter.
/// Outside a catch block it records nothing. Never throws; safe from any thread.
QUORVEL_FOUNDATION_EXPORT void TrackCurrentException();

/// The exception recorded last, if any.
QUORVEL_FOUNDATION_EXPORT std::optional<TrackedException> GetLastTrackedException();
/// How many exceptions have been recorded in this process.
QUORVEL_FOUNDATION_EXPORT std::size_t TrackedExceptionCount();

}  // namespace Quorvel::Core
