#pragma once

#include <Quorvel/App/Application/ITopManager.h>

#include <QtGlobal>

#include <memory>

// A separate shared object with its own copies of the context's templates.
#ifdef QUORVEL_CONTEXT_PROBE_BUILD
#define QUORVEL_CONTEXT_PROBE_EXPORT Q_DECL_EXPORT
#else
#define QUORVEL_CONTEXT_PROBE_EXPORT Q_DECL_IMPORT
#endif

namespace ContextProbe {
// Stores a new DirectCallGateway in the context and returns it.
QUORVEL_CONTEXT_PROBE_EXPORT std::shared_ptr<Quorvel::ExternalStimulus::IGateway> StoreGateway(
    Quorvel::App::ITopManager& context);
QUORVEL_CONTEXT_PROBE_EXPORT std::shared_ptr<Quorvel::App::IHardwareInfo> FindHardwareInfo(
    const Quorvel::App::ITopManager& context);
}  // namespace ContextProbe
