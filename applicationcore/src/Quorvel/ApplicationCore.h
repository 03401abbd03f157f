#pragma once

// The application core: the application object and its context, lifetime, look and feel,
// the stimulus gateway, the graphics switches and touch gestures, with every contract it is
// built on.
#include <Quorvel/Contracts.h>

#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/CommandLinePath.h>
#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>
#include <Quorvel/App/Application/Dialogs/ConfirmationAlertBox.h>
#include <Quorvel/App/Application/Dialogs/MacMenuActionHandler.h>
#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>
#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/App/Application/Extensions/AutoUpdateRequester.h>
#include <Quorvel/App/Application/Extensions/EmailCollector/EmailCollector.h>
#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/Application/Extensions/HttpRequestUpdater.h>
#include <Quorvel/App/Application/Extensions/IExtension.h>
#include <Quorvel/App/Application/Extensions/InstallerUpdater.h>
#include <Quorvel/App/Application/Extensions/Tyfi.h>
#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Emitter.h>
#include <Quorvel/App/Application/Gesture/Gesture.h>
#include <Quorvel/App/Application/Gesture/Producer.h>
#include <Quorvel/App/Application/Gesture/Router.h>
#include <Quorvel/App/Application/Gesture/Scroller.h>
#include <Quorvel/App/Application/Gesture/TouchSource.h>
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
#include <Quorvel/App/Application/QuitSignalHandler.h>
#include <Quorvel/App/Application/ServiceTypes.h>
#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/App/Application/TApplicationContextObserver.h>
#include <Quorvel/App/Application/TApplicationContextObservers.h>
#include <Quorvel/App/Application/Testing/ITest.h>
#include <Quorvel/App/Application/Testing/Testing.h>
#include <Quorvel/App/Application/Testing/UrlTest.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/App/Application/WorkingMode.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/Core/EventPublisher.h>
#include <Quorvel/Core/SyncExecutePolicy.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
