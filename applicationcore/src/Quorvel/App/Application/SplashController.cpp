#include <Quorvel/App/Application/SplashController.h>

#include <Quorvel/App/Application/Application.h>

#include <QGuiApplication>
#include <QPointer>

namespace Quorvel::App {

SplashController::SplashController(Application& application,
                                   const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                                   std::shared_ptr<ISplash> splash)
    : QObject(&application), m_application(&application), m_splash(std::move(splash)) {
    connect(&application, &QGuiApplication::applicationStateChanged, this,
            &SplashController::OnApplicationStateChanged);
    // The lifetime manager may outlive the controller, so the callback must not assume it.
    lifetimeManager->addOnStartCallback([self = QPointer<SplashController>(this)] {
        if (self && self->m_splash) {
            self->m_splash->Dismiss();
        }
    });
}

SplashController::~SplashController() = default;

std::shared_ptr<ISplash> SplashController::GetSplash() const { return m_splash; }

void SplashController::SetSplash(const std::shared_ptr<ISplash>& splash) { m_splash = splash; }

void SplashController::OnApplicationStateChanged(Qt::ApplicationState state) {
    if (!m_splash || state != Qt::ApplicationActive) {
        return;
    }
    const auto lifetime = m_application->Get<ILifetimeManager>();
    if (lifetime && !lifetime->isStarted()) {
        m_splash->Dismiss();
    }
}

}  // namespace Quorvel::App
