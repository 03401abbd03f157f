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
#include "gesture/GestureDecoderChecks.h"

#include <cstring>

namespace {

using GestureDecoderChecks::FakeGestureApi;
using GestureDecoderChecks::Step;
using Quorvel::App::Gesture;
namespace Platform = Quorvel::App::Platform;

constexpr std::size_t kRecordSize = 24;
// Where the window's client area starts on the screen, for FakeGestureApi.
constexpr std::int32_t kOriginX = 10;
constexpr std::int32_t kOriginY = 20;

template <class T>
T Read(const std::uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Answers as the record says; checks every step it gets against the record it came from.
class CheckingConsumer final : public Gesture::Consumer {
public:
    const Step* expected = nullptr;
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
        FUZZ_CHECK(g.globalPos.x == expected->x && g.globalPos.y == expected->y);
        FUZZ_CHECK(g.pos.x == g.globalPos.x - kOriginX && g.pos.y == g.globalPos.y - kOriginY);
        FUZZ_CHECK(g.begin == ((expected->flags & 1) != 0) &&
                   g.end == ((expected->flags & 4) != 0));
        ++received;
    }
};

class FuzzedProducer final : public Gesture::Producer {
public:
    explicit FuzzedProducer(FakeGestureApi& api) : Producer(api), m_api(api) {}
    Gesture::Consumer* routed = nullptr;

    Gesture::Consumer* Route(const Gesture&) override { return routed; }
    bool Send(std::uint32_t message, const Step& step, std::intptr_t* result) {
        return OnNativeMessage(m_api.Message(message, step), result);
    }
    using Producer::ForgetConsumer;

private:
    FakeGestureApi& m_api;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeGestureApi api;
    CheckingConsumer consumer;
    FuzzedProducer producer(api);
    bool current = false;  // whether the consumer is the one gestures go to now
    for (std::size_t at = 0; at + kRecordSize <= size; at += kRecordSize) {
        const std::uint8_t* record = data + at;
        const int kind = record[0] % 7;
        consumer.panAnswer = static_cast<std::int8_t>(record[1]);
        consumer.otherAnswer = static_cast<std::int8_t>(record[2]);
        const Step step{kind == 5 ? Step::InfoFails : Step::Gesture,
                        Read<std::uint32_t>(record + 4),
                        Read<std::uint32_t>(record + 8),
                        Read<std::uint64_t>(record + 12),
                        Read<std::int16_t>(record + 20),
                        Read<std::int16_t>(record + 22)};
        api.parent = kind == 3 ? FakeGestureApi::kWindow : nullptr;

        std::intptr_t result = -1;
        if (kind == 0 || kind == 1) {
            producer.routed = kind == 0 ? &consumer : nullptr;
            FUZZ_CHECK(!producer.Send(Platform::kWmGestureNotify, step, &result));
            // One gesture blocked, or all five configured, none both wanted and blocked.
            FUZZ_CHECK(api.entrySize == sizeof(Platform::GestureConfig) &&
                       (api.configs.size() == 1 || api.configs.size() == 5));
            for (const Platform::GestureConfig& config : api.configs) {
                FUZZ_CHECK((config.want & config.block) == 0);
            }
            current = kind == 0;
        } else if (kind == 6) {
            producer.ForgetConsumer();
            current = false;
        } else {
            const int closes = api.closes;
            const int received = consumer.received;
            consumer.expected = current ? &step : nullptr;
            const bool handled =
                producer.Send(kind == 4 ? 0x0200 : Platform::kWmGesture, step, &result);
            const bool delivered = consumer.received > received;
            FUZZ_CHECK(api.closes - closes == (delivered ? 1 : 0));
            FUZZ_CHECK(!delivered || (handled && result == 0));
            FUZZ_CHECK(handled == (delivered || kind == 3));
        }
        FUZZ_CHECK(api.misuses == 0);
    }
    return 0;
}
