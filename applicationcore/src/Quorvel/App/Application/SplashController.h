#pragma once

#include <Quorvel/App/ISplash.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <memory>

namespace Quorvel::App {

class Application;
class ILifetimeManager;

// Dismisses the product's splash when the product has started, or earlier when the
// application becomes active before that (the user switched to it). A child of the
// application; deleted on the event-loop turn after start.
class QUORVEL_APPLICATIONCORE_EXPORT SplashController : public QObject {
    Q_OBJECT
public:
    SplashController(Application& application,
                     const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                     std::shared_ptr<ISplash> splash);
    ~SplashController() override;

    std::shared_ptr<ISplash> GetSplash() const;
    void SetSplash(const std::shared_ptr<ISplash>& splash);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Application* m_application;
    std::shared_ptr<ISplash> m_splash;
};

}  // namespace Quorvel::App
