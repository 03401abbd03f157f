// Holds the running-application marker (by constructing an Application) and the
// installer's mutex like a real process, until its standard input closes or it
// is killed.
#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    Quorvel::Util::AppMutexLocker installer("{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}");
    const Quorvel::App::Application application(argc, argv,
                                                std::make_shared<Quorvel::App::LifetimeManager>());
    std::cout << (installer.TryLockAppMutex() ? "started" : "busy") << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
