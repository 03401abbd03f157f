#pragma once

#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/ServicesExport.h>

namespace Quorvel::App {

/// Describes the machine the product runs on (processor, cores, memory, operating system).
/// The text is read once, on first use, and kept: it does not change while the product runs.
/// May be used from several threads.
class QUORVEL_SERVICES_EXPORT HardwareInfo : public IHardwareInfo {
public:
    std::string GetHardwareText() const override;
};

}  // namespace Quorvel::App
