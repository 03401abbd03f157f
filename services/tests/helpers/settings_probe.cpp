// Writes an INI settings store from a separate process, as the installer does.
//
//   settings_probe <file> set <bool|int|string> <key> <value>
//   settings_probe <file> remove <key>
#include "SettingsText.h"

#include <Quorvel/App/SettingsStore.h>

#include <QCoreApplication>

#include <glog/logging.h>

#include <iostream>

int main(int argc, char** argv) {
    FLAGS_logtostderr = true;
    google::InitGoogleLogging(argv[0]);
    QCoreApplication app(argc, argv);
    const std::string action = argc > 2 ? argv[2] : "";
    if (!((action == "remove" && argc == 4) || (action == "set" && argc == 6))) {
        std::cerr << "usage: settings_probe <file> set|remove ...\n";
        return 2;
    }
    Quorvel::App::SettingsStore store(QStringLiteral("probe"), QString::fromLocal8Bit(argv[1]));
    if (action == "remove") {
        store.Remove(argv[3]);
    } else {
        SettingsText::Write(store, QString::fromUtf8(argv[3]), QString::fromUtf8(argv[4]),
                            QString::fromUtf8(argv[5]));
    }
    return store.IsPersistent() ? 0 : 1;
}
