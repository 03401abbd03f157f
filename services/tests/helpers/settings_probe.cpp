// Writes an INI settings store from a separate process, as the installer does.
//
//   settings_probe <file> set <key> <text>
//   settings_probe <file> remove <key>
#include <Quorvel/App/SettingsStore.h>

#include <QCoreApplication>

#include <glog/logging.h>

#include <iostream>

int main(int argc, char** argv) {
    FLAGS_logtostderr = true;
    google::InitGoogleLogging(argv[0]);
    QCoreApplication app(argc, argv);
    const std::string action = argc > 2 ? argv[2] : "";
    if (!((action == "remove" && argc == 4) || (action == "set" && argc == 5))) {
        std::cerr << "usage: settings_probe <file> set|remove <key> [<text>]\n";
        return 2;
    }
    Quorvel::App::SettingsStore store(QStringLiteral("probe"), QString::fromLocal8Bit(argv[1]));
    action == "remove" ? store.Remove(argv[3]) : store.SetString(argv[3], argv[4]);
    return store.IsPersistent() ? 0 : 1;
}
