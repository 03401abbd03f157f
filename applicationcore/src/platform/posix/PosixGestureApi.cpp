#include "GestureApi.h"

namespace Quorvel::App::Platform {
namespace {

// No native gesture messages exist here: touch reaches receivers through Gesture::TouchSource
// instead. Every call fails, so a message that comes anyway is left to default processing.
class NoGestureApi final : public GestureApi {
public:
    bool ScreenToClient(void*, NativePoint*) override { return false; }
    bool SetGestureConfig(void*, std::uint32_t, std::uint32_t, GestureConfig*,
                          std::uint32_t) override {
        return false;
    }
    bool GetGestureInfo(void*, GestureInfo*) override { return false; }
    bool CloseGestureInfoHandle(void*) override { return false; }
    void* GetParent(void*) override { return nullptr; }
    std::intptr_t DefWindowProcW(void*, std::uint32_t, std::uintptr_t, std::intptr_t) override {
        return 0;
    }
};

}  // namespace

GestureApi& SystemGestureApi() {
    static NoGestureApi api;
    return api;
}

}  // namespace Quorvel::App::Platform
