#include <Quorvel/App/ProductSettingsManager.h>

namespace Quorvel::App {

ProductSettingsManager::ProductSettingsManager(const QString& filePath)
    : SettingsStore(QString::fromLatin1(Scope), filePath) {}

ProductSettingsManager::~ProductSettingsManager() = default;

}  // namespace Quorvel::App
