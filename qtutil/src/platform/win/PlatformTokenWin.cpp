#include <Quorvel/Util/BuildInfo.h>

namespace Quorvel::Util {

const char* PlatformToken() { return "win"; }

}  // namespace Quorvel::Util
