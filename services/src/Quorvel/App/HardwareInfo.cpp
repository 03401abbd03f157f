#include <Quorvel/App/HardwareInfo.h>

#include <Quorvel/Util/HardwareInfo.h>

namespace Quorvel::App {

std::string HardwareInfo::GetHardwareText() const { return Quorvel::Util::GetHardwareInfo(); }

}  // namespace Quorvel::App
