#include "GestureApi.h"

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // the gesture functions came with Windows 7
#endif
#include <windows.h>

#include <cstddef>

namespace Quorvel::App::Platform {
namespace {

// The portable records are read in place of the system's: same sizes, same offsets.
static_assert(sizeof(NativePoint) == sizeof(POINT));
static_assert(sizeof(NativeShortPoint) == sizeof(POINTS));
static_assert(sizeof(GestureConfig) == sizeof(GESTURECONFIG));
static_assert(sizeof(GestureNotify) == sizeof(GESTURENOTIFYSTRUCT));
static_assert(offsetof(GestureNotify, location) == offsetof(GESTURENOTIFYSTRUCT, ptsLocation));
static_assert(sizeof(GestureInfo) == sizeof(GESTUREINFO));
static_assert(offsetof(GestureInfo, target) == offsetof(GESTUREINFO, hwndTarget));
static_assert(offsetof(GestureInfo, location) == offsetof(GESTUREINFO, ptsLocation));
static_assert(offsetof(GestureInfo, arguments) == offsetof(GESTUREINFO, ullArguments));
static_assert(sizeof(NativeMessage) == sizeof(MSG));
static_assert(offsetof(NativeMessage, wParam) == offsetof(MSG, wParam));
static_assert(offsetof(NativeMessage, lParam) == offsetof(MSG, lParam));
static_assert(offsetof(NativeMessage, cursor) == offsetof(MSG, pt));
static_assert(kWmGesture == WM_GESTURE && kWmGestureNotify == WM_GESTURENOTIFY);

class User32GestureApi final : public GestureApi {
public:
    bool ScreenToClient(void* window, NativePoint* point) override {
        return ::ScreenToClient(static_cast<HWND>(window), reinterpret_cast<POINT*>(point)) != 0;
    }
    bool SetGestureConfig(void* window, std::uint32_t reserved, std::uint32_t count,
                          GestureConfig* configs, std::uint32_t entrySize) override {
        return ::SetGestureConfig(static_cast<HWND>(window), reserved, count,
                                  reinterpret_cast<GESTURECONFIG*>(configs), entrySize) != 0;
    }
    bool GetGestureInfo(void* handle, GestureInfo* info) override {
        return ::GetGestureInfo(static_cast<HGESTUREINFO>(handle),
                                reinterpret_cast<GESTUREINFO*>(info)) != 0;
    }
    bool CloseGestureInfoHandle(void* handle) override {
        return ::CloseGestureInfoHandle(static_cast<HGESTUREINFO>(handle)) != 0;
    }
    void* GetParent(void* window) override { return ::GetParent(static_cast<HWND>(window)); }
    std::intptr_t DefWindowProcW(void* window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override {
        return ::DefWindowProcW(static_cast<HWND>(window), message, wParam, lParam);
    }
};

}  // namespace

GestureApi& SystemGestureApi() {
    static User32GestureApi api;
    return api;
}

}  // namespace Quorvel::App::Platform
