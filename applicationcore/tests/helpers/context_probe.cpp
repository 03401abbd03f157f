#include "context_probe.h"

#include <Quorvel/ExternalStimulus/DirectCallGateway.h>

namespace ContextProbe {

std::shared_ptr<Quorvel::ExternalStimulus::IGateway> StoreGateway(
    Quorvel::App::ITopManager& context) {
    auto gateway = std::make_shared<Quorvel::ExternalStimulus::DirectCallGateway>();
    context.Set<Quorvel::ExternalStimulus::IGateway>(gateway);
    return gateway;
}

std::shared_ptr<Quorvel::App::IHardwareInfo> FindHardwareInfo(
    const Quorvel::App::ITopManager& context) {
    return context.Get<Quorvel::App::IHardwareInfo>();
}

}  // namespace ContextProbe
