#pragma once

namespace Quorvel::App::Platform {

// The short name of the operating system that theme style sheets ("fonts_<token>.qss",
// "productStyle_<token>.qss") and font placeholder blocks are keyed by: "win" or "linux".
const char* PlatformToken();

}  // namespace Quorvel::App::Platform
