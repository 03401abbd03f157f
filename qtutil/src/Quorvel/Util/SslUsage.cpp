#include <Quorvel/Util/SslUsage.h>

#include <atomic>

namespace Quorvel::Util {

namespace {
std::atomic<bool> useHttps{true};
}

void SetDefaultSslUsage(bool value) { useHttps = value; }

bool GetDefaultSslUsage() { return useHttps; }

}  // namespace Quorvel::Util
