#include "context_probe.h"

#include <Quorvel/ExternalStimulus/DirectCallGateway.h>

std::shared_ptr<Quorvel::ExternalStimulus::IGateway> ContextProbe::StoreGateway(
    Quorvel::App::ITopManager& context) {
    auto gateway = std::make_shared<Quorvel::ExternalStimulus::DirectCallGateway>();
    context.Set<Quorvel::ExternalStimulus::IGateway>(gateway);
    return gateway;
}

std::shared_ptr<Quorvel::App::IHardwareInfo> ContextProbe::FindHardwareInfo(
    const Quorvel::App::ITopManager& context) {
    return context.Get<Quorvel::App::IHardwareInfo>();
}
