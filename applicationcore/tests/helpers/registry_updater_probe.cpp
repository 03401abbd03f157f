// Runs ApplicationRegistryUpdater from wherever this program was copied to, storing into the
// product settings file given as the one argument.
#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/App/ProductSettingsManager.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    auto settings =
        std::make_shared<Quorvel::App::ProductSettingsManager>(QCoreApplication::arguments().at(1));
    Quorvel::App::ApplicationRegistryUpdater(settings).onStart();
    return 0;
}
