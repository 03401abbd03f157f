#pragma once

// The application core: the application object and its context, lifetime, look and feel,
// the stimulus gateway and the graphics switches, with every contract it is built on.
#include <Quorvel/Contracts.h>

#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/Browser/ProcessMap.h>
#include <Quorvel/App/Application/Browser/URLHandler.h>
#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>
#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>
#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/Application/Extensions/IExtension.h>
#include <Quorvel/App/Application/GraphicsSwitches.h>
#include <Quorvel/App/Application/IApplicationContext.h>
#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/App/Application/ILifetimeObserver.h>
#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/App/Application/LocaleLabels.h>
#include <Quorvel/App/Application/LookAndFeelHandler.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/OnStartHandler.h>
#include <Quorvel/App/Application/ServiceTypes.h>
#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/App/Application/TApplicationContextObserver.h>
#include <Quorvel/App/Application/TApplicationContextObservers.h>
#include <Quorvel/App/Application/Testing/CrashTest.h>
#include <Quorvel/App/Application/Testing/DummytTestLocales.h>
#include <Quorvel/App/Application/Testing/ITest.h>
#include <Quorvel/App/Application/Testing/LogURLHandler.h>
#include <Quorvel/App/Application/Testing/SslTest.h>
#include <Quorvel/App/Application/Testing/Testing.h>
#include <Quorvel/App/Application/Testing/UrlTest.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/App/Application/WorkingMode.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/Core/EventPublisher.h>
#include <Quorvel/Core/SyncExecutePolicy.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
