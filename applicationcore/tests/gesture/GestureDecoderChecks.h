#pragma once

// The gesture decoder's cases, free of Qt: the same tables run in the QtTest suite here and,
// built with mingw-w64, under wine (win/gesture_decoder_test.cpp). Each case runs a decoder
// over an injected gesture API and returns a trace of what it did; the case holds the trace
// expected.

#include "GestureApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GestureDecoderChecks {

// The configuration a receiver's answers lead to.
struct ConfigCase {
    const char* name;
    int panAnswer;
    int otherAnswer;  // to zoom, rotate, two-finger tap and press-and-tap alike
    const char* expected;
};

// What reaches the decoder, one message at a time. A notify routes to the recording receiver
// (Asked also traces its questions), Unrouted to nobody.
struct Step {
    enum Kind { Notify, Asked, Gesture, ChildGesture, Other, InfoFails, Forget, Unrouted } kind;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint64_t arguments = 0;
    std::int16_t x = 110;  // screen; the client area starts at (10, 20)
    std::int16_t y = 220;
};

struct DecodeCase {
    const char* name;
    std::vector<Step> steps;
    const char* expected;
};

// Gesture functions whose gesture information is the step's. The client area of every window
// starts at (10, 20) on the screen; default processing answers twice the message number.
class FakeGestureApi final : public Quorvel::App::Platform::GestureApi {
public:
    Step step;
    void* parent = nullptr;
    int infoReads = 0;
    int closes = 0;
    std::vector<Quorvel::App::Platform::GestureConfig> configs;
    std::uint32_t entrySize = 0;

    // A native message of kWindow: a notify at `at`'s position, or one whose gesture
    // information is `at`. Valid until the next call.
    void* Message(std::uint32_t message, const Step& at);

    bool ScreenToClient(void* window, Quorvel::App::Platform::NativePoint* point) override;
    bool SetGestureConfig(void* window, std::uint32_t reserved, std::uint32_t count,
                          Quorvel::App::Platform::GestureConfig* entries,
                          std::uint32_t size) override;
    bool GetGestureInfo(void* handle, Quorvel::App::Platform::GestureInfo* info) override;
    bool CloseGestureInfoHandle(void* handle) override;
    void* GetParent(void* window) override;
    std::intptr_t DefWindowProcW(void* window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override;

    static inline void* const kWindow = reinterpret_cast<void*>(0x100);
    static inline void* const kHandle = reinterpret_cast<void*>(0x200);

private:
    Quorvel::App::Platform::GestureNotify m_notify;
    Quorvel::App::Platform::NativeMessage m_message;
};

const std::vector<ConfigCase>& ConfigCases();
const std::vector<DecodeCase>& DecodeCases();

std::string RunConfig(const ConfigCase& config);
std::string RunDecode(const DecodeCase& decode);

}  // namespace GestureDecoderChecks
