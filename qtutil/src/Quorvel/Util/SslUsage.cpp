#include <Quorvel/Util/SslUsage.h>

#include <atomic>

namespace Quorvel::Util {

namespace {
std::atomic<bool> useHttps{true};
std::atomic<bool> chosen{false};
}  // namespace

void SetDefaultSslUsage(bool value) {
    useHttps = value;
    chosen = true;
}

bool IsDefaultSslUsageChosen() { return chosen; }

bool GetDefaultSslUsage() { return useHttps; }

}  // namespace Quorvel::Util
