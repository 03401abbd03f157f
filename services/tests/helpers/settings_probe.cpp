// Reads or writes one value of an INI settings store from a separate process, so that tests
// see what really reached the file.
//
//   settings_probe <file> get <bool|int|uint|string|contains> <key> <default>
//   settings_probe <file> set <bool|int|string> <key> <value>
//   settings_probe <file> remove <key>
//
// "get" prints the value read (bools as true/false) on one line of standard output.
#include <Quorvel/App/SettingsStore.h>

#include <QCoreApplication>
#include <QString>

#include <glog/logging.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    FLAGS_logtostderr = true;
    google::InitGoogleLogging(argv[0]);
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::cerr << "usage: settings_probe <file> get|set|remove ...\n";
        return 2;
    }
    Quorvel::App::SettingsStore store(QStringLiteral("probe"), QString::fromLocal8Bit(argv[1]));
    const std::string action = argv[2];
    if (action == "remove") {
        store.Remove(argv[3]);
        return 0;
    }
    if (argc != 6) {
        std::cerr << "get and set take a type, a key and a value\n";
        return 2;
    }
    const std::string type = argv[3];
    const std::string key = argv[4];
    const std::string value = argv[5];
    if (action == "set") {
        if (type == "bool") {
            store.SetBool(key, value == "true");
        } else if (type == "int") {
            store.SetInt(key, std::stoi(value));
        } else {
            store.SetString(key, value);
        }
        return store.IsPersistent() ? 0 : 1;
    }
    if (type == "bool") {
        std::cout << (store.GetBool(key, value == "true") ? "true" : "false") << "\n";
    } else if (type == "int") {
        std::cout << store.GetInt(key, std::stoi(value)) << "\n";
    } else if (type == "uint") {
        std::cout << store.GetUInt(key, static_cast<uint32_t>(std::stoul(value))) << "\n";
    } else if (type == "contains") {
        std::cout << (store.Contains(key) ? "true" : "false") << "\n";
    } else {
        std::cout << store.GetString(key, value) << "\n";
    }
    return 0;
}
