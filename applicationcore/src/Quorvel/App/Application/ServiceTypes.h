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

// Expands to the service types of the application context, in their fixed order; the order
// fixes the order of the observer bases of TopManagerObserver.
#define QUORVEL_APPLICATION_SERVICE_TYPES                                            \
    Quorvel::App::ICustomizationManager, Quorvel::App::ILookAndFeelManager,          \
        Quorvel::App::IHardwareInfo, Quorvel::App::IApplicationSettingsManager,      \
        Quorvel::App::IProductSettingsManager, Quorvel::App::IMailSettingsManager,   \
        Quorvel::App::IInstallerSettingsManager, Quorvel::App::ILaunchTypeProcessor, \
        Quorvel::App::ILinksManager, Quorvel::ExternalStimulus::IGateway,            \
        Quorvel::App::ILifetimeManager, Quorvel::App::IInternetConnectionChecker,    \
        Quorvel::App::IUserSettingsManager, Quorvel::Networking::IHttpClient
