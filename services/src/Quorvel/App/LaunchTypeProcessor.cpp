#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/Reading/LogText.h>

#include <QCoreApplication>
#include <QString>

#include <glog/logging.h>

namespace Quorvel::App {

namespace {

const char* NameOf(LaunchType type) {
    switch (type) {
        case LaunchType::Regular:
            return "regular";
        case LaunchType::AfterInstall:
            return "after install";
        case LaunchType::AfterReinstall:
            return "after reinstall";
        case LaunchType::AfterUpdate:
            return "after update";
        case LaunchType::Background:
            return "background";
    }
    return "unknown";
}

LaunchType Decide(const std::shared_ptr<IInstallerSettingsManager>& installerSettings,
                  const QStringList& arguments) {
    if (arguments.contains(QLatin1String(LaunchTypeProcessor::BackgroundOption))) {
        return LaunchType::Background;
    }
    if (!installerSettings || !installerSettings->Contains(LaunchTypeProcessor::RecordKey)) {
        return LaunchType::Regular;
    }
    const std::string record = installerSettings->GetString(LaunchTypeProcessor::RecordKey, "");
    // Consumed before anything else can fail, so that a bad record cannot repeat forever.
    installerSettings->Remove(LaunchTypeProcessor::RecordKey);

    const QString word = QString::fromStdString(record).trimmed().toLower();
    if (word == QLatin1String("install")) {
        return LaunchType::AfterInstall;
    }
    if (word == QLatin1String("reinstall")) {
        return LaunchType::AfterReinstall;
    }
    if (word == QLatin1String("update")) {
        return LaunchType::AfterUpdate;
    }
    LOG(WARNING) << "The installer recorded an unknown launch type [" << Reading::LogText(record)
                 << "]; this start counts as a regular one";
    return LaunchType::Regular;
}

}  // namespace

LaunchTypeProcessor::LaunchTypeProcessor(
    const std::shared_ptr<IInstallerSettingsManager>& installerSettings,
    const QStringList& arguments)
    : m_launchType(Decide(installerSettings, arguments)) {
    LOG(INFO) << "Launch type: " << NameOf(m_launchType);
}

LaunchTypeProcessor::LaunchTypeProcessor(
    const std::shared_ptr<IInstallerSettingsManager>& installerSettings)
    : LaunchTypeProcessor(installerSettings, QCoreApplication::arguments()) {}

LaunchType LaunchTypeProcessor::GetLaunchType() const { return m_launchType; }

}  // namespace Quorvel::App
