#include <Quorvel/App/UserSettingsManager.h>

namespace Quorvel::App {

UserSettingsManager::UserSettingsManager(const QString& filePath)
    : SettingsStore(QString::fromLatin1(Scope), filePath) {}

UserSettingsManager::~UserSettingsManager() = default;

}  // namespace Quorvel::App
