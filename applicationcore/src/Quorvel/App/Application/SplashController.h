#pragma once

#include <Quorvel/App/ISplash.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <memory>

namespace Quorvel::App {

class Application;
class ILifetimeManager;

/// Dismisses the product's splash when the product has started, or earlier when the
/// application becomes active before that (the user switched to it). A child of the
/// application; deleted on the event-loop turn after start.
///
/// It follows the application's state through QGuiApplication::applicationStateChanged, which
/// Qt emits right after delivering the ApplicationStateChange event, rather than as an event
/// filter on the application: such a filter is consulted for every event of the process, and
/// Qt keeps its emptied slot in the list after the filter is gone, so every event would pay
/// for it for the whole run.
class QUORVEL_APPLICATIONCORE_EXPORT SplashController : public QObject {
    Q_OBJECT
public:
    /// Makes itself a child of `application` and dismisses `splash` (may be empty) at start.
    SplashController(Application& application,
                     const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                     std::shared_ptr<ISplash> splash);
    ~SplashController() override;

    /// The splash still to dismiss; empty once dismissed.
    std::shared_ptr<ISplash> GetSplash() const;
    /// Replaces the splash to dismiss.
    void SetSplash(const std::shared_ptr<ISplash>& splash);

private:
    void OnApplicationStateChanged(Qt::ApplicationState state);

    Application* m_application;
    std::shared_ptr<ISplash> m_splash;
};

}  // namespace Quorvel::App
