#pragma once

#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

namespace Quorvel::App {

/// Quits through the lifetime manager when asked to from outside the process: SIGTERM, SIGINT
/// and SIGHUP on Linux (a logout, `systemctl stop`, `kill`, Ctrl+C in a terminal), Ctrl+C and
/// Ctrl+Break on a Windows console. Each request is logged with its name and runs tryToQuit on
/// the GUI thread, so every observer is asked and may refuse, as for File → Quit; faults
/// (SIGSEGV, SIGABRT, ...) stay with the crash handler. Create one after the application object,
/// and after a crash handler that also takes SIGTERM (glog's); destroying it gives the signals
/// back to their previous handlers. One per process; GUI thread only.
///
/// A request that arrives while an earlier one is being decided (an observer's question is open)
/// starts no second round: it is logged, and the open question decides. A refused quit is logged
/// and the product goes on; the next request asks again. Once the quit is decided, requests are
/// only logged.
class QUORVEL_APPLICATIONCORE_EXPORT QuitSignalHandler {
public:
    /// An empty lifetime manager throws std::logic_error. When the signals cannot be taken over
    /// (another handler lives), one ERROR says why and this one does nothing.
    explicit QuitSignalHandler(const std::shared_ptr<ILifetimeManager>& lifetime);
    ~QuitSignalHandler();
    QuitSignalHandler(const QuitSignalHandler&) = delete;
    QuitSignalHandler& operator=(const QuitSignalHandler&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
