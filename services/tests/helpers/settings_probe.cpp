// Writes an INI settings store from a separate process, as the installer does.
//
//   settings_probe <file> set <key> <text> [<largest file in bytes>]
//   settings_probe <file> remove <key>
//
// With a largest file, no write reaches past that many bytes in any file, as on a nearly
// full disk.
#include <Quorvel/App/SettingsStore.h>

#include <QCoreApplication>

#include <glog/logging.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    FLAGS_logtostderr = true;
    google::InitGoogleLogging(argv[0]);
    QCoreApplication app(argc, argv);
    const std::string action = argc > 2 ? argv[2] : "";
    if (!((action == "remove" && argc == 4) || (action == "set" && (argc == 5 || argc == 6)))) {
        std::cerr << "usage: settings_probe <file> set|remove <key> [<text> [<bytes>]]\n";
        return 2;
    }
#ifndef _WIN32
    if (argc == 6) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails (EFBIG) instead
        const rlim_t bytes = std::stoull(argv[5]);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
#endif
    Quorvel::App::SettingsStore store(QStringLiteral("probe"), QString::fromLocal8Bit(argv[1]));
    action == "remove" ? store.Remove(argv[3]) : store.SetString(argv[3], argv[4]);
    return store.IsPersistent() ? 0 : 1;
}
