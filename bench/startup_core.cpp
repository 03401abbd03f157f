// A product on the application core, from process start to its started state, as the demo's
// main does it: the application object, every service the libraries provide stored (the
// customization, the five settings stores, the hardware description, the launch type, the look
// and feel, the links, the HTTP client), the demo's theme and language applied to the
// application, the window shown, and the lifetime manager's start(). It ends there; with
// --describe it first prints what it shows (see StartupState.h).
//
// run_benchmarks.sh counts the instructions of the whole process under callgrind against
// startup_plain.cpp, which does by hand what the same product would do without the core.

#include <Quorvel/ApplicationCore.h>
#include <Quorvel/Services.h>
#include <Quorvel/Util/TextConversion.h>

#include <QApplication>
#include <QTimer>

#include "ProductWindow.h"
#include "StartupState.h"

#include <glog/logging.h>

#include <cstring>
#include <list>
#include <memory>
#include <string>

using namespace Quorvel::App;

namespace {

// Applies every new united sheet, as a product does.
class SheetApplier : public ILookAndFeelObserver {
public:
    explicit SheetApplier(std::shared_ptr<LookAndFeelManager> manager)
        : m_manager(std::move(manager)) {
        m_manager->RegisterObserver(this);
    }
    ~SheetApplier() override { m_manager->UnregisterObserver(this); }

    void OnLocaleChanged(const std::string&) override {}
    void OnThemeChanged(const std::string&) override {
        qApp->setStyleSheet(Quorvel::Util::Utf8ToQString(m_manager->GetUnitedStylesheet()));
    }

private:
    std::shared_ptr<LookAndFeelManager> m_manager;
};

}  // namespace

int main(int argc, char** argv) {
    const bool describe = argc > 1 && std::strcmp(argv[1], "--describe") == 0;
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;  // no log files to leave behind

    auto lifetime = std::make_shared<LifetimeManager>();
    Application app(argc, argv, lifetime);
    const std::string data = QUORVEL_DEMO_DATA_DIR;

    auto customization = CustomizationManager::FromFile(
        Quorvel::Util::Utf8ToQString(data + "/" + CustomizationManager::FileName));
    app.SetCustomizationManager(customization);
    auto productSettings = std::make_shared<ProductSettingsManager>();
    auto installerSettings = std::make_shared<InstallerSettingsManager>();
    app.Set<IApplicationSettingsManager>(std::make_shared<ApplicationSettingsManager>());
    app.Set<IProductSettingsManager>(productSettings);
    app.Set<IInstallerSettingsManager>(installerSettings);
    app.Set<IUserSettingsManager>(std::make_shared<UserSettingsManager>());
    app.Set<IMailSettingsManager>(std::make_shared<MailSettingsManager>());
    app.Set<IHardwareInfo>(std::make_shared<HardwareInfo>());
    app.SetLaunchTypeProcessor(std::make_shared<LaunchTypeProcessor>(installerSettings));

    auto lookAndFeel = std::make_shared<LookAndFeelManager>(Quorvel::ioPath(data), "titles.json",
                                                            std::list<std::string>());
    app.SetLookAndFeel(lookAndFeel);
    SheetApplier applier(lookAndFeel);
    lookAndFeel->Initialize(StartupState::kLocale, StartupState::kTheme);
    app.SetLinksManager(std::make_shared<LinksManager>(
        customization, app.Get<IHardwareInfo>(), lookAndFeel, app.GetMailSettingsManager(),
        productSettings, app.Get<IUserSettingsManager>(), app.GetLaunchTypeProcessor(),
        installerSettings, Quorvel::Util::Utf8ToQString(data + "/" + LinksManager::FileName)));
    app.Set<Quorvel::Networking::IHttpClient>(
        std::make_shared<Quorvel::Networking::HttpClient>(createDefaultUpdater()));

    ProductWindow window;
    window.show();
    QTimer::singleShot(0, [&] {
        lifetime->start();
        StartupState::Reached(window, describe);
    });
    return app.exec();
}
