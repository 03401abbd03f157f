#pragma once

#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <functional>
#include <memory>
#include <string>

namespace Quorvel::App {

/// The product's lifetime: the moment of "started", quitting with the consent of every
/// observer, and restarting the executable. GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT LifetimeManager : public virtual ILifetimeManager {
public:
    /// Ends the event loop once a quit has been decided. A product may do more, or less.
    virtual void quitImpl();

    LifetimeManager();
    ~LifetimeManager() override;
    LifetimeManager(const LifetimeManager&) = delete;
    LifetimeManager& operator=(const LifetimeManager&) = delete;

    /// Adds or removes an observer (not owned; null and repeats are ignored).
    /// @{
    void RegisterEventHandler(ILifetimeObserver* observer) override;
    void UnregisterEventHandler(ILifetimeObserver* observer) override;
    /// @}

    /// Tells every observer, once, that the product has started; callbacks added until then
    /// run among the observers in registration order and are dropped afterwards.
    void start() override;
    /// Whether start() has run.
    bool isStarted() const override;
    /// Interactive asks the user first; then quits like tryToQuit and launches the
    /// executable again, detached, with `arguments` (UTF-8, split by Qt's command-line rules).
    bool tryToRestart(WorkingMode mode, const std::string& iconPath,
                      std::string arguments) override;
    /// Every observer is asked, and may refuse; if nobody does, every observer hears of the
    /// quit and quitImpl() runs. Returns whether the quit was decided.
    bool tryToQuit() override;
    /// Whether a quit has been decided.
    bool isQuitting() const override;
    /// An empty callback is ignored. One added after start() is never called.
    void addOnStartCallback(const std::function<void()>& callback) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
