#pragma once

#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/IInternetConnectionChecker.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/ExternalStimulus/IGateway.h>
#include <Quorvel/Networking/IHttpClient.h>

namespace Quorvel::App {

/// `Over` applied to the service types of the application context, in their fixed order; the
/// order fixes the order of the observer bases of TopManagerObserver.
template <template <class...> class Over>
using OverServiceTypes =
    Over<ICustomizationManager, ILookAndFeelManager, IHardwareInfo, IApplicationSettingsManager,
         IProductSettingsManager, IMailSettingsManager, IInstallerSettingsManager,
         ILaunchTypeProcessor, ILinksManager, Quorvel::ExternalStimulus::IGateway, ILifetimeManager,
         IInternetConnectionChecker, IUserSettingsManager, Quorvel::Networking::IHttpClient>;

}  // namespace Quorvel::App
