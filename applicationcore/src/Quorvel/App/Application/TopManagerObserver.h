#pragma once

#include <Quorvel/App/Application/ServiceTypes.h>
#include <Quorvel/App/Application/TApplicationContextObservers.h>

namespace Quorvel::App {

// Observes every service of the application context with empty reactions; concrete
// observers override only the types they care about.
class TopManagerObserver : public TApplicationContextObservers<QUORVEL_APPLICATION_SERVICE_TYPES> {
public:
#define QUORVEL_EMPTY_REACTION(T) \
    void OnServiceChanged(const std::shared_ptr<T>&, const std::shared_ptr<T>&) override {}
    QUORVEL_EMPTY_REACTION(ICustomizationManager)
    QUORVEL_EMPTY_REACTION(ILookAndFeelManager)
    QUORVEL_EMPTY_REACTION(IHardwareInfo)
    QUORVEL_EMPTY_REACTION(IApplicationSettingsManager)
    QUORVEL_EMPTY_REACTION(IProductSettingsManager)
    QUORVEL_EMPTY_REACTION(IMailSettingsManager)
    QUORVEL_EMPTY_REACTION(IInstallerSettingsManager)
    QUORVEL_EMPTY_REACTION(ILaunchTypeProcessor)
    QUORVEL_EMPTY_REACTION(ILinksManager)
    QUORVEL_EMPTY_REACTION(Quorvel::ExternalStimulus::IGateway)
    QUORVEL_EMPTY_REACTION(ILifetimeManager)
    QUORVEL_EMPTY_REACTION(IInternetConnectionChecker)
    QUORVEL_EMPTY_REACTION(IUserSettingsManager)
    QUORVEL_EMPTY_REACTION(Quorvel::Networking::IHttpClient)
#undef QUORVEL_EMPTY_REACTION
};

}  // namespace Quorvel::App
