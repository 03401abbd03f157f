#include "BrowserRegistry.h"

#include <QSettings>

namespace Quorvel::App::Platform {
namespace {

const QString kStartMenu = QStringLiteral("\\SOFTWARE\\Clients\\StartMenuInternet");

}  // namespace

QStringList ShellCacheKeys() {
    QSettings cache(
        "HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\"
        "Shell\\MuiCache",
        QSettings::NativeFormat);
    return cache.allKeys();
}

std::vector<std::pair<QString, QString>> StartMenuBrowsers() {
    std::vector<std::pair<QString, QString>> browsers;
    for (const QString& root :
         {QStringLiteral("HKEY_CURRENT_USER"), QStringLiteral("HKEY_LOCAL_MACHINE")}) {
        const QSettings clients(root + kStartMenu, QSettings::NativeFormat);
        for (const QString& group : clients.childGroups()) {
            const QSettings command(root + kStartMenu + "\\" + group + "\\shell\\open\\command",
                                    QSettings::NativeFormat);
            browsers.emplace_back(group, command.value(".", QString()).toString());
        }
    }
    return browsers;
}

}  // namespace Quorvel::App::Platform
