#include <Quorvel/App/HardwareInfo.h>

#include <Quorvel/Util/HardwareInfo.h>

namespace Quorvel::App {

std::string HardwareInfo::GetHardwareText() const {
    if (m_text.empty()) {
        m_text = Quorvel::Util::GetHardwareInfo();
    }
    return m_text;
}

}  // namespace Quorvel::App
