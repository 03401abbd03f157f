#pragma once

namespace Quorvel::App {

/// How a restart is carried out: Interactive asks the user first, any other value does not.
enum class WorkingMode : int { Interactive = 0, Unattended = 1 };

}  // namespace Quorvel::App
