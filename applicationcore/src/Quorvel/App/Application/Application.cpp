#include <Quorvel/App/Application/Application.h>

#include <Quorvel/App/Application/DaysPassed.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/AppMutexLocker.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/HardwareInfo.h>

#include <QDateTime>
#include <QMetaEnum>
#include <QPointer>

#include <glog/logging.h>
#include <boost/core/demangle.hpp>
#include <boost/exception/diagnostic_information.hpp>

#include "BuildInformation.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <typeinfo>

namespace Quorvel::App {

namespace {

const char* const kRunningApplicationMutex = "{7D3598FD-C06F-4B00-8130-67BEA8671931}";
const char* const kRunningInstallerMutex = "{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}";

const char* const kDateOfFirstStartKey = "DateOfFirstStart";
const char* const kPartnerNameKey = "PartnerName";
const char* const kPartnerNameOverrideKey = "PartnerName.OVERRIDE";

// An embedded web engine drives its animations from timers on objects of this class; while
// the user drags, they would starve the drag of events.
const char* const kWebEngineTimerClass = "WebCore::SharedTimerQt";

// Touched by notify on the GUI thread only.
bool buttonDown = false;
bool dragging = false;

std::string TypeNameOf(const std::type_info& type) { return boost::core::demangle(type.name()); }

std::string EventTypeName(QEvent::Type type) {
    static const QMetaEnum types =
        QEvent::staticMetaObject.enumerator(QEvent::staticMetaObject.indexOfEnumerator("Type"));
    const char* name = types.valueToKey(type);
    return name ? std::string(name) : std::to_string(static_cast<int>(type));
}

// Out of line and cold: every event of the process pays for the frame of notify, so the
// stream machinery of this record must not live in it.
Q_NEVER_INLINE Q_DECL_COLD_FUNCTION void LogEscapedException(const QObject* receiver,
                                                             const QEvent* event,
                                                             const std::exception& exception) {
    LOG(ERROR) << "Exception has been caught in event processing\n"
               << "\tReceiver: " << (receiver ? TypeNameOf(typeid(*receiver)) : "<NULL>") << "\n"
               << "\tEvent class: " << TypeNameOf(typeid(*event))
               << ". Event type: QEvent::" << EventTypeName(event->type()) << "\n"
               << "\tException details: " << boost::diagnostic_information(exception, true);
}

// Delivers through QApplication; a standard exception that escapes is logged and reported to
// the crash handler, then goes on.
inline bool DeliverGuarded(QApplication& application, QObject* receiver, QEvent* event) {
    // The handler needs both pointers after the call. Kept in the frame they cost two stores;
    // in callee-saved registers they would cost every event saves, moves and restores.
    QObject* volatile guardedReceiver = receiver;
    QEvent* volatile guardedEvent = event;
    try {
        return application.QApplication::notify(receiver, event);
    } catch (const std::exception& exception) {
        LogEscapedException(guardedReceiver, guardedEvent, exception);
        Quorvel::Core::TrackCurrentException();
        throw;
    }
}

// Out of line so that its calls do not make notify keep its arguments across them.
Q_NEVER_INLINE bool NotifyTimerWhileDragging(QApplication& application, QObject* receiver,
                                             QEvent* event) {
    if (receiver && std::strcmp(receiver->metaObject()->className(), kWebEngineTimerClass) == 0) {
        return false;
    }
    return DeliverGuarded(application, receiver, event);
}

// notify looks closer only at events up to MouseMove.
static_assert(QEvent::Timer == 1 && QEvent::MouseButtonPress == 2 &&
                  QEvent::MouseButtonRelease == 3 && QEvent::MouseButtonDblClick == 4 &&
                  QEvent::MouseMove == 5,
              "the event types that notify watches are no longer the first ones");

}  // namespace

const Application::DisableAppMutexT Application::DISABLE_APP_MUTEX{};

class Application::Impl : public TopManagerObserver {
public:
    Impl(Application& application, const std::shared_ptr<ILifetimeManager>& lifetimeManager,
         bool mutexDisabled)
        : m_application(&application) {
        // Before anything is made that would keep the lifetime manager's callbacks.
        const Quorvel::NotNull<std::shared_ptr<ILifetimeManager>> lifetime(lifetimeManager);
        if (!mutexDisabled) {
            m_locker = std::make_unique<Quorvel::Util::AppMutexLocker>(kRunningApplicationMutex);
        }
        m_splashController = new SplashController(application, lifetimeManager, nullptr);
        if (m_locker) {
            // A second instance still starts; the marker only tells the installer we run.
            m_locker->TryLockAppMutex();
        }
        application.RegisterEventHandler(this);
        lifetime->addOnStartCallback([app = QPointer<Application>(&application)] {
            if (app && app->m_impl) {
                app->m_impl->ReleaseSplashController();
            }
        });
    }

    ~Impl() override { m_application->UnregisterEventHandler(this); }

    SplashController* GetSplashController() const { return m_splashController; }

    void ReleaseSplashController() {
        if (m_splashController) {
            m_splashController->deleteLater();
            m_splashController = nullptr;
        }
    }

    using TopManagerObserver::OnServiceChanged;

    void OnServiceChanged(const std::shared_ptr<ICustomizationManager>& customization,
                          const std::shared_ptr<ICustomizationManager>&) override {
        if (!customization) {  // taken out of the context: nothing new to announce
            return;
        }
        QCoreApplication::setApplicationName(
            QString::fromStdString(customization->GetApplicationName()));
        QCoreApplication::setApplicationVersion(
            Quorvel::Util::GenerateApplicationVisibleVersion(customization->GetProductVersion()));
        QCoreApplication::setOrganizationName(
            QString::fromStdString(customization->GetOrganizationName()));

        LOG(INFO) << "Application started from "
                  << Reading::LogText(QCoreApplication::applicationFilePath());
        LOG(INFO) << "Product Version: "
                  << Reading::LogText(QCoreApplication::applicationVersion());
        for (const char* line : kBuildInformation) {
            LOG(INFO) << line;
        }
        if (FLAGS_v >= 1) {
            LOG(INFO) << "Verbose logging enabled. Level=" << FLAGS_v;
        }
        LOG(INFO) << Quorvel::Util::GetHardwareInfo();
    }

    void OnServiceChanged(const std::shared_ptr<ILaunchTypeProcessor>& processor,
                          const std::shared_ptr<ILaunchTypeProcessor>&) override {
        if (!processor || processor->GetLaunchType() == LaunchType::Background) {
            return;
        }
        const auto settings = m_application->Get<IProductSettingsManager>();
        const auto customization = m_application->Get<ICustomizationManager>();
        if (!settings || !customization) {
            LOG(ERROR) << "The launch type arrived before the "
                       << (settings ? "customization" : "product settings") << "; \""
                       << kPartnerNameKey << "\" is not updated";
            return;
        }
        std::string partner;
        if (settings->Contains(kPartnerNameOverrideKey)) {
            partner = settings->GetString(kPartnerNameOverrideKey, std::string());
            if (partner.empty()) {
                partner = customization->GetPartnerName();
            }
            settings->Remove(kPartnerNameOverrideKey);
        } else {
            partner = customization->GetPartnerName();
        }
        settings->SetString(kPartnerNameKey, partner);
    }

private:
    Application* m_application;
    std::unique_ptr<Quorvel::Util::AppMutexLocker> m_locker;
    SplashController* m_splashController = nullptr;
};

Application::Application(int& argc, char** argv,
                         const std::shared_ptr<ILifetimeManager>& lifetimeManager)
    : Application(argc, argv, lifetimeManager, false) {}

Application::Application(int& argc, char** argv,
                         const std::shared_ptr<ILifetimeManager>& lifetimeManager, DisableAppMutexT)
    : Application(argc, argv, lifetimeManager, true) {}

Application::Application(int& argc, char** argv,
                         const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                         bool mutexDisabled)
    : QApplication(argc, argv),
      m_impl(std::make_unique<Impl>(*this, lifetimeManager, mutexDisabled)) {
    Set<ILifetimeManager>(lifetimeManager);
    Set<Quorvel::ExternalStimulus::IGateway>(
        std::make_shared<Quorvel::ExternalStimulus::DirectCallGateway>());
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
}

// Members go first (the Impl, releasing the marker mutex), then the context's observer list
// and services, then QApplication with any child still alive.
Application::~Application() = default;

int Application::GetDaysPassed() const {
    const QDateTime now = QDateTime::currentDateTime();
    const Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>> settings(
        GetProductSettingsManager());
    const uint32_t firstStart =
        settings->GetUInt(kDateOfFirstStartKey, static_cast<uint32_t>(now.toSecsSinceEpoch()));
    return Detail::DaysPassed(firstStart, now);
}

int Detail::DaysPassed(uint32_t firstStart, const QDateTime& now) {
    return static_cast<int>(QDateTime::fromSecsSinceEpoch(firstStart).daysTo(now));
}

bool Application::CheckRunnedInstaller() {
    Quorvel::Util::AppMutexLocker locker(kRunningInstallerMutex);
    // A lock that cannot be made (logged by the locker) tells of no installer.
    const auto free = [&locker] { return locker.TryLockAppMutex() || locker.IsUnavailable(); };
    if (free()) {
        return false;
    }
    // The installer may be just finishing: give it half a second to let go.
    const auto start = std::chrono::system_clock::now();
    while (true) {
        if (std::chrono::system_clock::now() - start > std::chrono::milliseconds(500)) {
            return true;
        }
        if (free()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::shared_ptr<ISplash> Application::GetSplash() const {
    const SplashController* controller = m_impl->GetSplashController();
    return controller ? controller->GetSplash() : nullptr;
}

void Application::SetSplash(const std::shared_ptr<ISplash>& splash) {
    if (SplashController* controller = m_impl->GetSplashController()) {
        controller->SetSplash(splash);
    }
}

std::shared_ptr<ICustomizationManager> Application::GetCustomizationManager() const {
    return Get<ICustomizationManager>();
}
void Application::SetCustomizationManager(const std::shared_ptr<ICustomizationManager>& manager) {
    Set<ICustomizationManager>(manager);
}
std::shared_ptr<ILookAndFeelManager> Application::GetLookAndFeel() const {
    return Get<ILookAndFeelManager>();
}
void Application::SetLookAndFeel(const std::shared_ptr<ILookAndFeelManager>& manager) {
    Set<ILookAndFeelManager>(manager);
}
std::shared_ptr<IApplicationSettingsManager> Application::GetSettingsManager() const {
    return Get<IApplicationSettingsManager>();
}
std::shared_ptr<IProductSettingsManager> Application::GetProductSettingsManager() const {
    return Get<IProductSettingsManager>();
}
std::shared_ptr<IMailSettingsManager> Application::GetMailSettingsManager() const {
    return Get<IMailSettingsManager>();
}
std::shared_ptr<IInstallerSettingsManager> Application::GetInstallerSettingsManager() const {
    return Get<IInstallerSettingsManager>();
}
std::shared_ptr<ILaunchTypeProcessor> Application::GetLaunchTypeProcessor() const {
    return Get<ILaunchTypeProcessor>();
}
void Application::SetLaunchTypeProcessor(const std::shared_ptr<ILaunchTypeProcessor>& processor) {
    Set<ILaunchTypeProcessor>(processor);
}
void Application::SetLinksManager(const std::shared_ptr<ILinksManager>& manager) {
    Set<ILinksManager>(manager);
}
std::shared_ptr<ILinksManager> Application::GetLinksManager() {
    if (auto manager = Get<ILinksManager>()) {
        return manager;
    }
    LOG(ERROR) << "###############################################################";
    LOG(ERROR) << "### Deprecated. SetLinksManager before use GetLinksManager! ###";
    LOG(ERROR) << "###############################################################";
    Set<ILinksManager>(std::make_shared<LinksManager>(
        Get<ICustomizationManager>(), Get<IHardwareInfo>(), Get<ILookAndFeelManager>(),
        Get<IMailSettingsManager>(), Get<IProductSettingsManager>(), Get<IUserSettingsManager>(),
        Get<ILaunchTypeProcessor>(), Get<IInstallerSettingsManager>()));
    return Get<ILinksManager>();
}
QString Application::GetUrl(const URLKeys& key) { return GetLinksManager()->GetUrl(key); }
std::shared_ptr<Quorvel::ExternalStimulus::IGateway> Application::GetExternalStimulusGateway()
    const {
    return Get<Quorvel::ExternalStimulus::IGateway>();
}
void Application::SetExternalStimulusGateway(
    const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& gateway) {
    Set<Quorvel::ExternalStimulus::IGateway>(gateway);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    // Every event of the process passes here: most cost one comparison besides the guarded
    // call; the class-name comparison only runs for timer events while dragging.
    const QEvent::Type type = event->type();
    if (Q_UNLIKELY(type <= QEvent::MouseMove)) {
        if (type == QEvent::Timer) {
            if (dragging) {
                return NotifyTimerWhileDragging(*this, receiver, event);
            }
        } else if (type == QEvent::MouseMove) {
            if (buttonDown) {
                dragging = true;
            }
        } else if (type == QEvent::MouseButtonRelease) {
            dragging = false;
            buttonDown = false;
        } else if (type != QEvent::None) {
            buttonDown = true;  // MouseButtonPress or MouseButtonDblClick
        }
    }
    return DeliverGuarded(*this, receiver, event);
}

}  // namespace Quorvel::App
