#include <Quorvel/App/Application/Extensions/ApplicationRegistryUpdater.h>
#include <Quorvel/NotNull.h>

#include <QCoreApplication>
#include <QDir>

namespace Quorvel::App {

struct ApplicationRegistryUpdater::Impl {
    Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>> settings;
};

ApplicationRegistryUpdater::ApplicationRegistryUpdater(
    const std::shared_ptr<IProductSettingsManager>& settings)
    : m_impl(new Impl{settings}) {}

ApplicationRegistryUpdater::~ApplicationRegistryUpdater() = default;

void ApplicationRegistryUpdater::onStart() {
    // The separator is appended blindly: a drive root keeps its own and gets a second one.
    const QString folder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
    m_impl->settings->SetString("Path", folder.toStdString());
}

}  // namespace Quorvel::App
