// Reads or writes an INI settings store from a separate process, so that tests see what
// really reached the file.
//
//   settings_probe <file> get <bool|int|uint|string|contains> <default> <key>...
//   settings_probe <file> set <bool|int|string> <key> <value>
//   settings_probe <file> remove <key>
//
// "get" prints each value read on a line of its own.
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
    if (!((action == "remove" && argc == 4) || (action == "set" && argc == 6) ||
          (action == "get" && argc >= 6))) {
        std::cerr << "usage: settings_probe <file> get|set|remove ...\n";
        return 2;
    }
    Quorvel::App::SettingsStore store(QStringLiteral("probe"), QString::fromLocal8Bit(argv[1]));
    if (action == "remove") {
        store.Remove(argv[3]);
        return 0;
    }
    const QString type = QString::fromUtf8(argv[3]);
    if (action == "set") {
        SettingsText::Write(store, type, QString::fromUtf8(argv[4]), QString::fromUtf8(argv[5]));
        return store.IsPersistent() ? 0 : 1;
    }
    for (int i = 5; i < argc; ++i) {
        const QString value =
            SettingsText::Read(store, type, QString::fromUtf8(argv[i]), QString::fromUtf8(argv[4]));
        std::cout << SettingsText::Utf8(value) << "\n";
    }
    return 0;
}
