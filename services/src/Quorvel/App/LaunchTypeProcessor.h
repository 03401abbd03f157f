#pragma once

#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/ServicesExport.h>

#include <QStringList>

#include <memory>

namespace Quorvel::App {

/// Tells what kind of start this is. The answer is decided once, on construction:
///
/// 1. The option "--background" among the arguments gives Background. The installer's record
///    is left alone, so the first start the user sees still counts as the one after it.
/// 2. Otherwise the installer's record decides: the string under "LaunchType" in the
///    installer settings, "install", "reinstall" or "update" (any case), gives AfterInstall,
///    AfterReinstall or AfterUpdate. The record is removed at once, so that the next start
///    is Regular. A record of any other text is logged as a WARNING, removed, and counts as
///    Regular.
/// 3. Otherwise Regular.
///
/// Without installer settings only the arguments are consulted.
class QUORVEL_SERVICES_EXPORT LaunchTypeProcessor : public ILaunchTypeProcessor {
public:
    /// The argument that makes a run Background.
    static constexpr const char* BackgroundOption = "--background";
    /// The installer settings key the installer records the kind of run under.
    static constexpr const char* RecordKey = "LaunchType";

    /// `arguments` as QCoreApplication::arguments() gives them (program first).
    LaunchTypeProcessor(const std::shared_ptr<IInstallerSettingsManager>& installerSettings,
                        const QStringList& arguments);
    /// Reads the arguments of the running application.
    explicit LaunchTypeProcessor(
        const std::shared_ptr<IInstallerSettingsManager>& installerSettings);

    LaunchType GetLaunchType() const override;

private:
    LaunchType m_launchType;
};

}  // namespace Quorvel::App
