#include "PlatformToken.h"

namespace Quorvel::App::Platform {

const char* PlatformToken() { return "linux"; }

}  // namespace Quorvel::App::Platform
