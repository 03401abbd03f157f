#pragma once

namespace Quorvel::App {

enum class LaunchType : int {
    Regular = 0,
    AfterInstall = 1,
    AfterReinstall = 2,
    AfterUpdate = 3,
    Background = 4
};

}  // namespace Quorvel::App
