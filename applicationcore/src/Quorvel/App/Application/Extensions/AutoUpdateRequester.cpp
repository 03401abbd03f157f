#include <Quorvel/App/Application/Extensions/AutoUpdateRequester.h>
#include <Quorvel/NotNull.h>

#include <QObject>
#include <QTimer>

namespace Quorvel::App {

namespace {
// Long enough for the product's own start-up to settle before the check adds network work.
constexpr int kRequestDelayMs = 5000;
}  // namespace

struct AutoUpdateRequester::Impl {
    Impl(const std::shared_ptr<ICustomizationManager>& customizationManager,
         const std::shared_ptr<IProductSettingsManager>& settings)
        : customization(customizationManager), productSettings(settings) {}

    Quorvel::NotNull<std::shared_ptr<ICustomizationManager>> customization;
    Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>> productSettings;
    std::function<void()> callback;
    // The context of the delayed call: it goes with the extension, and a pending call with it.
    QObject timerContext;
};

AutoUpdateRequester::AutoUpdateRequester(
    const std::shared_ptr<ICustomizationManager>& customization,
    const std::shared_ptr<IProductSettingsManager>& productSettings)
    : m_impl(std::make_unique<Impl>(customization, productSettings)) {}

AutoUpdateRequester::~AutoUpdateRequester() = default;

void AutoUpdateRequester::setAutoUpdateRequestCallback(const std::function<void()>& callback) {
    m_impl->callback = callback;
}

void AutoUpdateRequester::onStart() {
    if (!m_impl->productSettings->GetBool("autoUpdate", true)) {
        return;
    }
    Impl* impl = m_impl.get();
    QTimer::singleShot(kRequestDelayMs, &impl->timerContext, [impl] {
        if (impl->callback) {
            impl->callback();
        }
    });
}

}  // namespace Quorvel::App
