#pragma once

// Kept free of Qt so that the Windows backend builds and runs on its own.

#include <atomic>

namespace Quorvel::App::Platform {

// One look, from the open-window waiter's own thread, for a visible top-level window of this
// process. Clears `waiting` once one is found and looks no further once `waiting` is clear.
// Never blocks: where windows may only be looked at on the GUI thread (Linux), the look is
// posted there and `waiting` is cleared a moment later, within the waiter's pause.
void CheckForOpenWindow(std::atomic<bool>& waiting);

}  // namespace Quorvel::App::Platform
