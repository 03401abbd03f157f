#pragma once

// The system's touch-gesture functions and records, as the gesture decoder uses them. Kept
// free of Qt so that the decoder and its Windows backend build and run on their own; tests
// pass an API of their own to drive the decoder with records they make.

#include <cstdint>

namespace Quorvel::App::Platform {

// The records below are laid out as the platform's (checked against windows.h where it
// exists, see WinGestureApi.cpp), so that a message's parameters can be read in place.

struct NativePoint {  // POINT
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct NativeShortPoint {  // POINTS: screen coordinates of a touch
    std::int16_t x = 0;
    std::int16_t y = 0;
};

struct GestureConfig {  // GESTURECONFIG
    std::uint32_t id = 0;
    std::uint32_t want = 0;
    std::uint32_t block = 0;
};

struct GestureNotify {  // GESTURENOTIFYSTRUCT
    std::uint32_t size = 0;
    std::uint32_t flags = 0;
    void* target = nullptr;
    NativeShortPoint location;
    std::uint32_t instanceId = 0;
};

struct GestureInfo {  // GESTUREINFO
    std::uint32_t size = 0;
    std::uint32_t flags = 0;
    std::uint32_t id = 0;
    void* target = nullptr;
    NativeShortPoint location;
    std::uint32_t instanceId = 0;
    std::uint32_t sequenceId = 0;
    std::uint64_t arguments = 0;
    std::uint32_t extraArgumentBytes = 0;
};

struct NativeMessage {  // MSG
    void* window = nullptr;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint32_t time = 0;
    NativePoint cursor;
};

static_assert(sizeof(NativeShortPoint) == 4);
static_assert(sizeof(GestureConfig) == 12);
static_assert(sizeof(void*) != 8 || sizeof(GestureInfo) == 56);
static_assert(sizeof(void*) != 8 || sizeof(GestureNotify) == 24);
static_assert(sizeof(void*) != 8 || sizeof(NativeMessage) == 48);

// Message numbers and flags of the platform's gesture support.
constexpr std::uint32_t kWmGesture = 0x0119;
constexpr std::uint32_t kWmGestureNotify = 0x011A;

// The narrow part of the system's window API that the gesture decoder needs; the functions
// mean what the platform's functions of the same names mean.
class GestureApi {
public:
    virtual ~GestureApi() = default;
    virtual bool ScreenToClient(void* window, NativePoint* point) = 0;
    virtual bool SetGestureConfig(void* window, std::uint32_t reserved, std::uint32_t count,
                                  GestureConfig* configs, std::uint32_t entrySize) = 0;
    virtual bool GetGestureInfo(void* handle, GestureInfo* info) = 0;
    virtual bool CloseGestureInfoHandle(void* handle) = 0;
    virtual void* GetParent(void* window) = 0;
    virtual std::intptr_t DefWindowProcW(void* window, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) = 0;
};

// The system's own: USER32 on Windows; elsewhere one that has no native gestures (every
// gesture is refused and nothing is ever decoded).
GestureApi& SystemGestureApi();

}  // namespace Quorvel::App::Platform
