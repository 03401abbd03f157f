// Holds one of the product's named mutexes like a real process, until its standard input
// closes or it is killed: "app_instance" constructs an Application (taking the running-
// application marker), "app_instance --installer" holds the installer's mutex.
#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/Util/AppMutexLocker.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    std::unique_ptr<Quorvel::Util::AppMutexLocker> installer;
    std::unique_ptr<Quorvel::App::Application> application;
    if (argc > 1 && std::strcmp(argv[1], "--installer") == 0) {
        installer = std::make_unique<Quorvel::Util::AppMutexLocker>(
            "{D77D6BBA-867A-4AF4-B888-3B0BA21A6B81}");
        std::cout << (installer->TryLockAppMutex() ? "locked" : "busy") << std::endl;
    } else {
        application = std::make_unique<Quorvel::App::Application>(
            argc, argv, std::make_shared<Quorvel::App::LifetimeManager>());
        std::cout << "started" << std::endl;
    }
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
