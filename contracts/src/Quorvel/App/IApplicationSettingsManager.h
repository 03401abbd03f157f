#pragma once

#include <Quorvel/App/ISettingsManager.h>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT IApplicationSettingsManager : public virtual ISettingsManager {};

}  // namespace Quorvel::App
