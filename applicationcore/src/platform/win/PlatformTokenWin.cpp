#include "PlatformToken.h"

namespace Quorvel::App::Platform {

const char* PlatformToken() { return "win"; }

}  // namespace Quorvel::App::Platform
