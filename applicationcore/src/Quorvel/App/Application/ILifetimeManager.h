#pragma once

#include <Quorvel/App/Application/ILifetimeObserver.h>
#include <Quorvel/App/Application/WorkingMode.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/Core/EventPublisher.h>

#include <functional>
#include <string>

namespace Quorvel::App {

/// Marks the moment the product has started and arbitrates quitting and restarting: every
/// observer is asked before a quit, and any one of them may refuse.
class QUORVEL_APPLICATIONCORE_EXPORT ILifetimeManager
    : public virtual Quorvel::Core::EventPublisher<ILifetimeObserver> {
public:
    /// Marks the product as started and tells every observer, once; later calls do nothing.
    virtual void start() = 0;
    /// Whether start() has run.
    virtual bool isStarted() const = 0;
    /// Quits as tryToQuit does and starts the executable again with `arguments`; mode
    /// Interactive asks the user first. False when the user or an observer refused.
    virtual bool tryToRestart(WorkingMode mode, const std::string& iconPath,
                              std::string arguments) = 0;
    /// Asks every observer; unless one refused, tells them all and ends the event loop. False when
    /// refused.
    virtual bool tryToQuit() = 0;
    /// Whether a quit has been decided.
    virtual bool isQuitting() const = 0;
    /// Runs `callback` at start(); an empty one is ignored, one added after start never runs.
    virtual void addOnStartCallback(const std::function<void()>& callback) = 0;
};

}  // namespace Quorvel::App
