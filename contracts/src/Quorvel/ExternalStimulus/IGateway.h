#pragma once

#include <Quorvel/ContractsExport.h>
#include <Quorvel/ExternalStimulus/Stimulus.h>

namespace Quorvel::ExternalStimulus {

/// Decides whether and when the action of a stimulus runs.
class QUORVEL_CONTRACTS_EXPORT IGateway {
public:
    virtual ~IGateway() = default;
    /// Runs the stimulus's action now or later, as the gateway decides.
    virtual void Send(const Stimulus& stimulus) = 0;
    virtual void Flush() = 0;            ///< a holding gateway runs what it held back
    virtual bool IsHolding() const = 0;  ///< whether stimuli are being held back now
};

}  // namespace Quorvel::ExternalStimulus
