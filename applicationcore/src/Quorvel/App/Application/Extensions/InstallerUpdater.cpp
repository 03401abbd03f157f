#include <Quorvel/App/Application/Extensions/InstallerUpdater.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Util/BuildInfo.h>

namespace Quorvel::App {

struct InstallerUpdater::Impl {
    Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>> productSettings;
};

InstallerUpdater::InstallerUpdater(const std::shared_ptr<IProductSettingsManager>& productSettings)
    : m_impl(new Impl{productSettings}) {}

InstallerUpdater::~InstallerUpdater() = default;

void InstallerUpdater::onStart() {
    m_impl->productSettings->SetString("ArchitectBits", "x" + Quorvel::Util::AppBits());
}

}  // namespace Quorvel::App
