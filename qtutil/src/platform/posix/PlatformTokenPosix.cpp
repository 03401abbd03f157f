#include <Quorvel/Util/BuildInfo.h>

namespace Quorvel::Util {

const char* PlatformToken() { return "linux"; }

}  // namespace Quorvel::Util
