#pragma once

// Every interface shared by the application core and the product-side services.
#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/App/IHttpRequestUpdater.h>
#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/IInternetConnectionChecker.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksGenerator.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ILinksOpener.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/ILookAndFeelObserver.h>
#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/App/ISettingsManager.h>
#include <Quorvel/App/ISplash.h>
#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/App/LaunchType.h>
#include <Quorvel/App/UserAgentInfo.h>
#include <Quorvel/ExternalStimulus/IGateway.h>
#include <Quorvel/ExternalStimulus/Stimulus.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/Networking/IHttpClient.h>
#include <Quorvel/URLKeys.h>
