#include <Quorvel/App/MailSettingsManager.h>

namespace Quorvel::App {

MailSettingsManager::MailSettingsManager(const QString& filePath)
    : SettingsStore(QString::fromLatin1(Scope), filePath) {}

MailSettingsManager::~MailSettingsManager() = default;

}  // namespace Quorvel::App
