#pragma once

#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/ISplash.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QApplication>

#include <memory>

namespace Quorvel::App {

/// The one application object of a product and its service registry (the context).
///
/// Construction takes the running-application marker mutex (unless disabled), creates the
/// splash controller, and stores the lifetime manager and a direct-call stimulus gateway.
/// Storing a customization manager sets the Qt application name, version and organization
/// and writes the start-up record to the log; storing a launch-type processor brings the
/// installation's partner name up to date in the product settings.
class QUORVEL_APPLICATIONCORE_EXPORT Application : public QApplication, public ITopManager {
    Q_OBJECT
public:
    /// The tag type of DISABLE_APP_MUTEX.
    struct DisableAppMutexT {};
    /// Pass it to the constructor to run without the running-application marker mutex.
    static const DisableAppMutexT DISABLE_APP_MUTEX;

    /// Builds the QApplication from the command line, takes the marker mutex and stores
    /// `lifetimeManager` and a DirectCallGateway in the context. Throws std::logic_error when
    /// `lifetimeManager` is empty.
    Application(int& argc, char** argv, const std::shared_ptr<ILifetimeManager>& lifetimeManager);
    /// The same without the marker mutex: pass DISABLE_APP_MUTEX.
    Application(int& argc, char** argv, const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                DisableAppMutexT);
    ~Application() override;

    /// Midnights (local time) passed since the first start recorded in the product settings.
    int GetDaysPassed() const;
    /// Whether the product's installer is running; waits up to about half a second for it to
    /// let go of its mutex.
    static bool CheckRunnedInstaller();

    /// Empty once the product has started.
    std::shared_ptr<ISplash> GetSplash() const;
    /// Has no effect once the product has started.
    void SetSplash(const std::shared_ptr<ISplash>& splash);

    /// Typed accessors of the context: the stored service, or an empty pointer. Storing a
    /// customization names the application and logs the start-up record; storing a launch-type
    /// processor brings "PartnerName" up to date in the product settings.
    /// @{
    std::shared_ptr<ICustomizationManager> GetCustomizationManager() const;
    void SetCustomizationManager(const std::shared_ptr<ICustomizationManager>& manager);
    std::shared_ptr<ILookAndFeelManager> GetLookAndFeel() const;
    void SetLookAndFeel(const std::shared_ptr<ILookAndFeelManager>& manager);
    std::shared_ptr<IApplicationSettingsManager> GetSettingsManager() const;
    std::shared_ptr<IProductSettingsManager> GetProductSettingsManager() const;
    std::shared_ptr<IMailSettingsManager> GetMailSettingsManager() const;
    std::shared_ptr<IInstallerSettingsManager> GetInstallerSettingsManager() const;
    std::shared_ptr<ILaunchTypeProcessor> GetLaunchTypeProcessor() const;
    /// @}
    /// Store the service in the context, replacing the one before (observers hear of it).
    /// @{
    void SetLaunchTypeProcessor(const std::shared_ptr<ILaunchTypeProcessor>& processor);
    void SetLinksManager(const std::shared_ptr<ILinksManager>& manager);
    /// @}
    /// The stored links manager. A product that never stored one gets a LinksManager built
    /// from the context's services (and an ERROR banner in the log, once per build); throws
    /// std::logic_error, and stores nothing, when one of the required services is missing.
    std::shared_ptr<ILinksManager> GetLinksManager();
    /// The address of `key` from GetLinksManager(); empty when it has none.
    virtual QString GetUrl(const URLKeys& key);
    /// The gateway that decides when extensions may show something (a DirectCallGateway at first).
    /// @{
    std::shared_ptr<Quorvel::ExternalStimulus::IGateway> GetExternalStimulusGateway() const;
    void SetExternalStimulusGateway(
        const std::shared_ptr<Quorvel::ExternalStimulus::IGateway>& gateway);
    /// @}

protected:
    /// Pauses an embedded web engine's timers while the mouse drags, and logs a standard
    /// exception escaping an event handler (then lets it continue).
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Application(int& argc, char** argv, const std::shared_ptr<ILifetimeManager>& lifetimeManager,
                bool mutexDisabled);

    class Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
