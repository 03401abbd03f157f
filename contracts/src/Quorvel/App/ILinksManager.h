#pragma once

#include <Quorvel/App/ILinksGenerator.h>
#include <Quorvel/App/ILinksOpener.h>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT ILinksManager : public virtual ILinksGenerator,
                                               public virtual ILinksOpener {};

}  // namespace Quorvel::App
