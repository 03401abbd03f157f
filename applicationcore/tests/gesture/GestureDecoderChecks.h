#pragma once

// The gesture decoder's cases, free of Qt: the same tables run in the QtTest suite here and,
// built with mingw-w64, under wine (win/gesture_decoder_test.cpp). Each case runs a decoder
// over an injected gesture API and returns a trace of what it did; the case holds the trace
// expected. fuzz_gestures drives a decoder over the same API.

#include "GestureApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GestureDecoderChecks {

// What reaches the decoder, one message at a time. A notify routes to the recording receiver
// (Asked also traces its questions; Config traces the configuration that its answers, `flags`
// to a pan and `arguments` to the others, lead to), Unrouted to nobody.
struct Step {
    enum Kind {
        Notify,
        Asked,
        Config,
        Gesture,
        ChildGesture,
        Other,
        InfoFails,
        Forget,
        Unrouted
    } kind;
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
    using NativePoint = Quorvel::App::Platform::NativePoint;
    using GestureConfig = Quorvel::App::Platform::GestureConfig;
    using GestureInfo = Quorvel::App::Platform::GestureInfo;

public:
    Step step;
    void* parent = nullptr;
    int infoReads = 0;
    int closes = 0;
    int misuses = 0;  // reads and closes of another handle, reads of a wrong size
    std::vector<GestureConfig> configs;
    std::uint32_t entrySize = 0;
    static inline void* const kWindow = reinterpret_cast<void*>(0x100);
    static inline void* const kHandle = reinterpret_cast<void*>(0x200);

    // A native message of kWindow: a notify at `at`'s position, or one whose gesture
    // information is `at`. Valid until the next call.
    void* Message(std::uint32_t message, const Step& at) {
        m_notify.size = sizeof m_notify;
        m_notify.location = {at.x, at.y};
        m_message.window = kWindow;
        m_message.message = message;
        m_message.lParam = message == Quorvel::App::Platform::kWmGestureNotify
                               ? reinterpret_cast<std::intptr_t>(&m_notify)
                               : reinterpret_cast<std::intptr_t>(kHandle);
        step = at;
        return &m_message;
    }

    bool ScreenToClient(void*, NativePoint* point) override {
        point->x -= 10;
        point->y -= 20;
        return true;
    }
    bool SetGestureConfig(void*, std::uint32_t, std::uint32_t count, GestureConfig* entries,
                          std::uint32_t size) override {
        configs.assign(entries, entries + count);
        entrySize = size;
        return true;
    }
    bool GetGestureInfo(void* handle, GestureInfo* info) override {
        ++infoReads;
        misuses += handle != kHandle || info->size != 56;
        if (handle != kHandle || info->size != 56 || step.kind == Step::InfoFails) return false;
        info->id = step.id;
        info->flags = step.flags;
        info->arguments = step.arguments;
        info->location = {step.x, step.y};
        return true;
    }
    bool CloseGestureInfoHandle(void* handle) override {
        closes += handle == kHandle;
        misuses += handle != kHandle;
        return true;
    }
    void* GetParent(void*) override { return parent; }
    std::intptr_t DefWindowProcW(void*, std::uint32_t message, std::uintptr_t,
                                 std::intptr_t) override {
        return message * 2;
    }

private:
    Quorvel::App::Platform::GestureNotify m_notify;
    Quorvel::App::Platform::NativeMessage m_message;
};

const std::vector<DecodeCase>& DecodeCases();
std::string RunDecode(const DecodeCase& decode);

}  // namespace GestureDecoderChecks
