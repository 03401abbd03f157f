// Gesture records as the system hands them to the native decoder (Gesture::Producer),
// through an injected gesture API. The input is a sequence of 24-byte records, each one
// message of a top-level window:
//
//   byte 0       what happens: 0 notify routed to the receiver, 1 notify routed to nobody,
//                2 gesture, 3 gesture of a child window, 4 another message, 5 gesture whose
//                information cannot be read, 6 the receiver is forgotten (modulo 7)
//   bytes 1, 2   the receiver's answers to pans and to every other kind (signed)
//   bytes 4-23   the gesture information: identifier, flags (32 bits each), arguments
//                (64 bits), screen position x, y (16 bits each), little-endian
//
// Whatever the records say, a step reaches the receiver only while it is the routed one, as
// the record of its kind, at the position the system gave, and its handle is closed once.

#include "FuzzSupport.h"

#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Producer.h>

#include "GestureApi.h"

#include <cstring>

namespace {

using Quorvel::App::Gesture;
namespace Platform = Quorvel::App::Platform;

constexpr std::size_t kRecordSize = 24;
// Where the window's client area starts on the screen.
constexpr std::int32_t kOriginX = 10;
constexpr std::int32_t kOriginY = 20;
void* const kWindow = reinterpret_cast<void*>(0x100);
void* const kHandle = reinterpret_cast<void*>(0x200);

template <class T>
T Read(const std::uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

class FuzzedApi final : public Platform::GestureApi {
public:
    Platform::GestureInfo info;
    bool infoReadable = true;
    bool childWindow = false;
    int closes = 0;

    bool ScreenToClient(void*, Platform::NativePoint* point) override {
        point->x -= kOriginX;
        point->y -= kOriginY;
        return true;
    }
    bool SetGestureConfig(void*, std::uint32_t, std::uint32_t count,
                          Platform::GestureConfig* configs, std::uint32_t size) override {
        FUZZ_CHECK(size == sizeof(Platform::GestureConfig) && (count == 1 || count == 5));
        for (std::uint32_t i = 0; i < count; ++i) {
            FUZZ_CHECK((configs[i].want & configs[i].block) == 0);
        }
        return true;
    }
    bool GetGestureInfo(void* handle, Platform::GestureInfo* target) override {
        FUZZ_CHECK(handle == kHandle && target->size == sizeof(Platform::GestureInfo));
        if (!infoReadable) {
            return false;
        }
        *target = info;
        return true;
    }
    bool CloseGestureInfoHandle(void* handle) override {
        FUZZ_CHECK(handle == kHandle);
        ++closes;
        return true;
    }
    void* GetParent(void*) override { return childWindow ? kWindow : nullptr; }
    std::intptr_t DefWindowProcW(void*, std::uint32_t, std::uintptr_t, std::intptr_t) override {
        return 0;
    }
};

// Answers as the record says; checks every step it gets against the record it came from.
class CheckingConsumer final : public Gesture::Consumer {
public:
    const Platform::GestureInfo* expected = nullptr;
    int panAnswer = 0;
    int otherAnswer = 0;
    int received = 0;

    void OnGesture(const Gesture::PressAndTap& g) override { Check(g, 7); }
    void OnGesture(const Gesture::Tap& g) override { Check(g, 6); }
    void OnGesture(const Gesture::Rotate& g) override { Check(g, 5); }
    void OnGesture(const Gesture::Zoom& g) override { Check(g, 3); }
    void OnGesture(const Gesture::Pan& g) override { Check(g, 4); }
    int WantGesture(const Gesture::PressAndTap&) override { return otherAnswer; }
    int WantGesture(const Gesture::Tap&) override { return otherAnswer; }
    int WantGesture(const Gesture::Rotate&) override { return otherAnswer; }
    int WantGesture(const Gesture::Zoom&) override { return otherAnswer; }
    int WantGesture(const Gesture::Pan&) override { return panAnswer; }

private:
    void Check(const Gesture& g, std::uint32_t id) {
        FUZZ_CHECK(expected && expected->id == id);
        FUZZ_CHECK(g.globalPos.x == expected->location.x && g.globalPos.y == expected->location.y);
        FUZZ_CHECK(g.pos.x == g.globalPos.x - kOriginX && g.pos.y == g.globalPos.y - kOriginY);
        FUZZ_CHECK(g.begin == ((expected->flags & 1) != 0) &&
                   g.end == ((expected->flags & 4) != 0));
        ++received;
    }
};

class FuzzedProducer final : public Gesture::Producer {
public:
    explicit FuzzedProducer(FuzzedApi& api) : Producer(api) {}
    Gesture::Consumer* routed = nullptr;

    Gesture::Consumer* Route(const Gesture&) override { return routed; }
    bool Send(std::uint32_t message, void* lParam, std::intptr_t* result) {
        Platform::NativeMessage native;
        native.window = kWindow;
        native.message = message;
        native.lParam = reinterpret_cast<std::intptr_t>(lParam);
        return OnNativeMessage(&native, result);
    }
    using Producer::ForgetConsumer;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedApi api;
    CheckingConsumer consumer;
    FuzzedProducer producer(api);
    bool current = false;  // whether the consumer is the one gestures go to now
    for (std::size_t at = 0; at + kRecordSize <= size; at += kRecordSize) {
        const std::uint8_t* record = data + at;
        const int kind = record[0] % 7;
        consumer.panAnswer = static_cast<std::int8_t>(record[1]);
        consumer.otherAnswer = static_cast<std::int8_t>(record[2]);
        api.info = Platform::GestureInfo();
        api.info.size = sizeof api.info;
        api.info.id = Read<std::uint32_t>(record + 4);
        api.info.flags = Read<std::uint32_t>(record + 8);
        api.info.arguments = Read<std::uint64_t>(record + 12);
        api.info.location = {Read<std::int16_t>(record + 20), Read<std::int16_t>(record + 22)};
        api.infoReadable = kind != 5;
        api.childWindow = kind == 3;

        std::intptr_t result = -1;
        if (kind == 0 || kind == 1) {
            producer.routed = kind == 0 ? &consumer : nullptr;
            Platform::GestureNotify notify;
            notify.size = sizeof notify;
            notify.location = api.info.location;
            FUZZ_CHECK(!producer.Send(Platform::kWmGestureNotify, &notify, &result));
            current = kind == 0;
        } else if (kind == 6) {
            producer.ForgetConsumer();
            current = false;
        } else {
            const int closes = api.closes;
            const int received = consumer.received;
            consumer.expected = current ? &api.info : nullptr;
            const bool handled =
                producer.Send(kind == 4 ? 0x0200 : Platform::kWmGesture, kHandle, &result);
            const bool delivered = consumer.received > received;
            FUZZ_CHECK(api.closes - closes == (delivered ? 1 : 0));
            FUZZ_CHECK(!delivered || (handled && result == 0));
            FUZZ_CHECK(handled == (delivered || kind == 3));
        }
    }
    return 0;
}
