// The gesture decoder built with mingw-w64 and run under wine: the decoder's shared cases over
// an injected gesture API (wine's own gesture functions are stubs), then a smoke test of the
// USER32 backend, which must link and answer.

#include "../../../testsupport/win/WinCheck.h"
#include "../gesture/GestureDecoderChecks.h"
#include "GestureApi.h"

#include <windows.h>

namespace {

void SmokeTestUser32() {
    using namespace Quorvel::App::Platform;
    GestureApi& api = SystemGestureApi();
    GestureInfo info;
    info.size = sizeof info;
    Check(!api.GetGestureInfo(nullptr, &info), "USER32: no information for a null handle");
    NativePoint point{5, 6};
    api.ScreenToClient(::GetDesktopWindow(), &point);
    Check(point.x == 5 && point.y == 6, "USER32: the desktop's client area is the screen");
    Check(api.GetParent(::GetDesktopWindow()) == nullptr, "USER32: the desktop has no parent");
    GestureConfig blockAll{0, 0, 1};
    api.SetGestureConfig(::GetDesktopWindow(), 0, 1, &blockAll, sizeof blockAll);
    api.CloseGestureInfoHandle(nullptr);
    Check(api.DefWindowProcW(::GetDesktopWindow(), WM_NULL, 0, 0) == 0,
          "USER32: default processing answers");
}

}  // namespace

int main() {
    for (const auto& decode : GestureDecoderChecks::DecodeCases()) {
        const std::string trace = GestureDecoderChecks::RunDecode(decode);
        Check(trace == decode.expected, decode.name, trace == decode.expected ? "" : trace);
    }
    SmokeTestUser32();
    return Finish();
}
