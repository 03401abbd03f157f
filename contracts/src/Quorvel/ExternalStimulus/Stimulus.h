#pragma once

#include <functional>
#include <string>

namespace Quorvel::ExternalStimulus {

/// Something a component wants to put in front of the user on its own initiative.
struct Stimulus {
    /// "EMAIL_DIALOG", "THANK_FOR_INSTALL", ...
    std::string name;
    std::function<void()> action;  ///< may be empty
};

}  // namespace Quorvel::ExternalStimulus
