#include <Quorvel/App/ApplicationSettingsManager.h>

namespace Quorvel::App {

ApplicationSettingsManager::ApplicationSettingsManager(const QString& filePath)
    : SettingsStore(QString::fromLatin1(Scope), filePath) {}

ApplicationSettingsManager::~ApplicationSettingsManager() = default;

}  // namespace Quorvel::App
