#include <Quorvel/App/InstallerSettingsManager.h>

namespace Quorvel::App {

InstallerSettingsManager::InstallerSettingsManager(const QString& filePath)
    : SettingsStore(QString::fromLatin1(Scope), filePath) {}

InstallerSettingsManager::~InstallerSettingsManager() = default;

}  // namespace Quorvel::App
