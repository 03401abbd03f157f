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
    virtual void start() = 0;
    virtual bool isStarted() const = 0;
    virtual bool tryToRestart(WorkingMode mode, const std::string& iconPath,
                              std::string arguments) = 0;
    virtual bool tryToQuit() = 0;
    virtual bool isQuitting() const = 0;
    virtual void addOnStartCallback(const std::function<void()>& callback) = 0;
};

}  // namespace Quorvel::App
