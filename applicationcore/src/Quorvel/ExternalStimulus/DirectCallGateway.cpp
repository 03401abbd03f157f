#include <Quorvel/ExternalStimulus/DirectCallGateway.h>

namespace Quorvel::ExternalStimulus {

void DirectCallGateway::Send(const Stimulus& stimulus) {
    if (stimulus.action) {
        stimulus.action();
    }
}

void DirectCallGateway::Flush() {}

bool DirectCallGateway::IsHolding() const { return false; }

}  // namespace Quorvel::ExternalStimulus
