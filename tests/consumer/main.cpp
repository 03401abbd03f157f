// Uses each installed library through its umbrella header; exits 0 only when all of it works.
#include <Quorvel/Appearance.h>
#include <Quorvel/ApplicationCore.h>
#include <Quorvel/Foundation.h>
#include <Quorvel/Handover.h>
#include <Quorvel/QtUtil.h>
#include <Quorvel/Services.h>

#include <iostream>

namespace {

class QuitRecorder : public Quorvel::App::LifetimeObserver {
public:
    void onQuit() override { quit = true; }
    bool quit = false;
};

}  // namespace

int main(int argc, char** argv) {
    auto lifetime = std::make_shared<Quorvel::App::LifetimeManager>();
    Quorvel::App::Application app(argc, argv, lifetime,
                                  Quorvel::App::Application::DISABLE_APP_MUTEX);
    app.Set<Quorvel::App::IHardwareInfo>(std::make_shared<Quorvel::App::HardwareInfo>());

    bool started = false;
    lifetime->addOnStartCallback([&started] { started = true; });
    QuitRecorder recorder;
    lifetime->RegisterEventHandler(&recorder);
    lifetime->start();
    const bool quit = lifetime->tryToQuit();
    lifetime->UnregisterEventHandler(&recorder);

    // The consumer finds itself among the running processes.
    const auto processes = Quorvel::App::GetCurrentProcessMap([](const QString&) { return true; });
    // The first of its key is the primary instance.
    const Quorvel::App::InstanceHandover handover(
        QStringLiteral("quorvel consumer %1").arg(QCoreApplication::applicationPid()));
    // The first answer of the desktop never comes before the constructor returns.
    const Quorvel::App::DesktopAppearance desktop;
    const std::string digest = Quorvel::Util::SHA1("abc");
    const bool ok =
        started && quit && recorder.quit && processes.count("consumer") == 1 &&
        handover.IsPrimary() &&
        !app.Get<Quorvel::App::IHardwareInfo>()->GetHardwareText().empty() &&
        digest == "a9993e364706816aba3e25717850c26c9cd0d89d" &&
        desktop.CurrentScheme() == Quorvel::App::DesktopAppearance::Scheme::NoPreference &&
        Quorvel::Util::Utf8ToQString("\xc3\xa9") == QString(QChar(0xe9));
    std::cout << (ok ? "consumer ok" : "consumer FAILED") << std::endl;
    return ok ? 0 : 1;
}
