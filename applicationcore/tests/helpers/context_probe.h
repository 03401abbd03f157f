#pragma once

#include <Quorvel/App/Application/ITopManager.h>

#include <QtGlobal>

#include <memory>

// A separate shared object with its own copies of the context's templates, so that tests can
// check that a service stored on one side of a library boundary is found on the other.
#ifdef QUORVEL_CONTEXT_PROBE_BUILD
#define QUORVEL_CONTEXT_PROBE_EXPORT Q_DECL_EXPORT
#else
#define QUORVEL_CONTEXT_PROBE_EXPORT Q_DECL_IMPORT
#endif

namespace ContextProbe {

// Stores a new DirectCallGateway in the context and returns it.
QUORVEL_CONTEXT_PROBE_EXPORT std::shared_ptr<Quorvel::ExternalStimulus::IGateway> StoreGateway(
    Quorvel::App::ITopManager& context);

// What this shared object finds for the hardware information.
QUORVEL_CONTEXT_PROBE_EXPORT std::shared_ptr<Quorvel::App::IHardwareInfo> FindHardwareInfo(
    const Quorvel::App::ITopManager& context);

}  // namespace ContextProbe
