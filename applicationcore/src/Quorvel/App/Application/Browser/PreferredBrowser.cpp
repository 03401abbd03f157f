#include <Quorvel/App/Application/Browser/PreferredBrowser.h>

#include <Quorvel/App/Application/Browser/ProcessMap.h>
#include <Quorvel/App/Application/Browser/URLHandler.h>
#include <Quorvel/NotNull.h>

#include "BrowserRegistry.h"
#include "ExecutableNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace Quorvel::App {
namespace {

QString FromRunningProcesses(const QString& name) {
    const auto processes = GetCurrentProcessMap([](const QString& key) { return !key.isEmpty(); });
    const auto found = processes.find(name);
    if (found != processes.end() && QFile::exists(found->second)) {
        return found->second;
    }
    return {};
}

// Keys of the shell cache start with the program's path; what follows its last ".exe" names
// a resource of it.
QString FromShellCache(const QString& name) {
    QSet<QString> candidates;
    for (const QString& key : Platform::ShellCacheKeys()) {
        const int end = key.lastIndexOf(".exe", -1, Qt::CaseInsensitive);
        if (end >= 0) {
            candidates.insert(key.left(end) + ".exe");
        }
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).fileName().toLower() == name && QFile::exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

// The one step that ignores case in the wanted name as well.
QString FromStartMenu(const QString& name) {
    const QString wanted = name.toLower();
    for (const auto& [group, openCommand] : Platform::StartMenuBrowsers()) {
        Q_UNUSED(group);
        const QString command = QDir::toNativeSeparators(QString(openCommand).remove('"'));
        if (!command.isEmpty() && QFile::exists(command) &&
            QFileInfo(command).baseName().toLower() + Platform::ExecutableSuffix() == wanted) {
            return command;
        }
    }
    return {};
}

}  // namespace

PreferredBrowser::PreferredBrowser(
    const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
    const std::shared_ptr<IProductSettingsManager>& productSettings,
    const std::shared_ptr<IInstallerSettingsManager>& installerSettings)
    : AbstractPreferredBrowser(productSettings) {
    // Checked before the handler exists, so that a refused construction takes over nothing.
    const Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> looks(lookAndFeel);
    const Quorvel::NotNull<std::shared_ptr<IInstallerSettingsManager>> installer(installerSettings);
    m_UrlHandler.reset(new URLHandler(QCoreApplication::instance(), *this));
    // Shares the services rather than this object, so that copies of the base keep working.
    SetContextCallback([looks, productSettings, installer]() {
        PreferredBrowserContext context;
        context.locale = QString::fromStdString(looks->GetCurrentLocale());
        if (productSettings) {
            context.preferredBrowser =
                QString::fromStdString(productSettings->GetString("PreferredBrowser", ""));
        }
        context.browser = QString::fromStdString(installer->GetString("Browser", ""));
        return context;
    });
}

PreferredBrowser::PreferredBrowser(const std::shared_ptr<IProductSettingsManager>& productSettings)
    : AbstractPreferredBrowser(productSettings) {}

PreferredBrowser::~PreferredBrowser() = default;

QString PreferredBrowser::FindPath(const PreferredBrowserContext& context) {
    const QString& name = context.browser;
    if (name.isEmpty()) {
        return {};
    }
    // A running copy is taken as the system reports it.
    const QString running = FromRunningProcesses(name);
    if (!running.isEmpty()) {
        return running;
    }
    QString found = FromShellCache(name);
    if (found.isEmpty()) {
        found = FromStartMenu(name);
    }
    return QDir::toNativeSeparators(found);
}

}  // namespace Quorvel::App
