#pragma once

namespace Quorvel::App {

/// How a run of the product came about.
enum class LaunchType : int {
    /// started by the user
    Regular = 0,
    /// the first run after an installation
    AfterInstall = 1,
    /// the first run after a reinstallation
    AfterReinstall = 2,
    /// the first run after an update
    AfterUpdate = 3,
    /// started without a window ("--background")
    Background = 4
};

}  // namespace Quorvel::App
