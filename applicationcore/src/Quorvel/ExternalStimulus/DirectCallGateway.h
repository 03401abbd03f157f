#pragma once

#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/ExternalStimulus/IGateway.h>

namespace Quorvel::ExternalStimulus {

/// The default gateway: runs every action at once, on the calling thread, and holds nothing.
class QUORVEL_APPLICATIONCORE_EXPORT DirectCallGateway : public IGateway {
public:
    void Send(const Stimulus& stimulus) override;
    void Flush() override;
    bool IsHolding() const override;
};

}  // namespace Quorvel::ExternalStimulus
