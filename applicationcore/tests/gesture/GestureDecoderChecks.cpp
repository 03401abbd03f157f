#include "GestureDecoderChecks.h"

#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Producer.h>

#include "GestureApi.h"

#include <cstdarg>
#include <cstdio>

namespace GestureDecoderChecks {
namespace {

using Quorvel::App::Gesture;
namespace Platform = Quorvel::App::Platform;

constexpr std::intptr_t kUntouched = -7;

std::string Text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Text(const char* format, ...) {
    char buffer[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

std::string At(const Gesture& gesture) {
    return Text("%s%s %d,%d@%d,%d", gesture.begin ? "+" : "", gesture.end ? "-" : "", gesture.pos.x,
                gesture.pos.y, gesture.globalPos.x, gesture.globalPos.y);
}

// Records what it receives; asked, it answers as told.
class RecordingConsumer final : public Gesture::Consumer {
public:
    int panAnswer = 0;
    int otherAnswer = 0;
    std::string trace;

    void OnGesture(const Gesture::PressAndTap& g) override {
        trace = "pat" + At(g) + Text(" second %d,%d", g.secondPos.x, g.secondPos.y);
    }
    void OnGesture(const Gesture::Tap& g) override {
        trace = "tap" + At(g) + Text(" d %u", g.distance);
    }
    void OnGesture(const Gesture::Rotate& g) override {
        trace = "rotate" + At(g) + Text(" %.7f %.7f", g.startAngle, g.angle);
    }
    void OnGesture(const Gesture::Zoom& g) override {
        trace = "zoom" + At(g) + Text(" %g %g", g.startDistance, g.distance);
    }
    void OnGesture(const Gesture::Pan& g) override {
        trace = "pan" + At(g) +
                Text("%s start %d,%d v %d,%d d %u", g.inertia ? " inertia" : "", g.startPos.x,
                     g.startPos.y, g.inertiaVector.x, g.inertiaVector.y, g.distance);
    }
    // The order of the questions, each with the notify position.
    int WantGesture(const Gesture::PressAndTap& g) override { return Asked('a', g, otherAnswer); }
    int WantGesture(const Gesture::Tap& g) override { return Asked('t', g, otherAnswer); }
    int WantGesture(const Gesture::Rotate& g) override { return Asked('r', g, otherAnswer); }
    int WantGesture(const Gesture::Zoom& g) override { return Asked('z', g, otherAnswer); }
    int WantGesture(const Gesture::Pan& g) override { return Asked('p', g, panAnswer); }

private:
    int Asked(char kind, const Gesture& g, int answer) {
        trace += (trace.empty() ? "" : " ") + std::string(1, kind) + At(g);
        return answer;
    }
};

class TestProducer final : public Gesture::Producer {
public:
    explicit TestProducer(FakeGestureApi& api) : Producer(api), m_api(api) {}
    Gesture::Consumer* routed = nullptr;

    Gesture::Consumer* Route(const Gesture&) override { return routed; }

    std::string Send(std::uint32_t message, const Step& step) {
        std::intptr_t result = kUntouched;
        const bool handled = OnNativeMessage(m_api.Message(message, step), &result);
        return Text(" %s %lld", handled ? "T" : "F", static_cast<long long>(result));
    }
    using Producer::ForgetConsumer;

private:
    FakeGestureApi& m_api;
};

std::string Configs(const FakeGestureApi& api) {
    std::string text;
    for (const Platform::GestureConfig& config : api.configs) {
        text += Text("%u:%x/%x ", config.id, config.want, config.block);
    }
    return text + Text("size %u", api.entrySize);
}

}  // namespace

const std::vector<DecodeCase>& DecodeCases() {
    using S = Step;
    static const std::vector<DecodeCase> cases = {
        {"configuration by the answers: pan 0 (others exactly All), 1 (every option; others 0), "
         "10 (vertical, the platform's inertia 0x10; others 2 refuse), 20 (horizontal, the "
         "platform's gutter 0x8), 31 (others every bit set refuse)",
         {{S::Config, 0, 0, 1},
          {S::Config, 0, 1, 0},
          {S::Config, 0, 10, 2},
          {S::Config, 0, 20, 0},
          {S::Config, 0, 31, ~0ull}},
         "3:1/0 4:0/1f 5:1/0 6:1/0 7:1/0 size 12; 3:0/1 4:1f/0 5:0/1 6:0/1 7:0/1 size 12; "
         "3:0/1 4:13/c 5:0/1 6:0/1 7:0/1 size 12; 3:0/1 4:d/12 5:0/1 6:0/1 7:0/1 size 12; "
         "3:0/1 4:1f/0 5:0/1 6:0/1 7:0/1 size 12"},
        {"notify: routed at the client position, asked in order, passed on",
         {{S::Asked}},
         "z 100,200@110,220 p 100,200@110,220 r 100,200@110,220 t 100,200@110,220 "
         "a 100,200@110,220 F -7"},
        {"zoom 100 (begin), 150, 200 (end)",
         {{S::Notify}, {S::Gesture, 3, 1, 100}, {S::Gesture, 3, 0, 150}, {S::Gesture, 3, 4, 200}},
         "zoom+ 100,200@110,220 100 100 T 0 c1; zoom 100,200@110,220 100 150 T 0 c2; "
         "zoom- 100,200@110,220 100 200 T 0 c3"},
        {"rotation 0, 65535 and 32768",
         {{S::Notify}, {S::Gesture, 5, 1, 0}, {S::Gesture, 5, 0, 65535}, {S::Gesture, 5, 1, 32768}},
         "rotate+ 100,200@110,220 -6.2831853 -6.2831853 T 0 c1; "
         "rotate 100,200@110,220 -6.2831853 6.2831853 T 0 c2; "
         "rotate+ 100,200@110,220 0.0000959 0.0000959 T 0 c3"},
        {"press and tap (-10, +5) at (100, 200)",
         {{S::Notify}, {S::Gesture, 7, 0, 0x0005FFF6u}},
         "pat 100,200@110,220 second 90,205 T 0 c1"},
        {"pan: start kept from its begin, inertia vector (1, -1)",
         {{S::Notify}, {S::Gesture, 4, 1, 0, 50, 60}, {S::Gesture, 4, 2, 0xFFFF000100000007u}},
         "pan+ 40,40@50,60 start 40,40 v 0,0 d 0 T 0 c1; "
         "pan 100,200@110,220 inertia start 40,40 v 1,-1 d 7 T 0 c2"},
        {"two-finger tap",
         {{S::Notify}, {S::Gesture, 6, 5, 33}},
         "tap+- 100,200@110,220 d 33 T 0 c1"},
        {"every argument and flag bit set",
         {{S::Notify},
          {S::Gesture, 4, ~0u, ~0ull, -1, -1},
          {S::Gesture, 7, ~0u, ~0ull, -32768, 32767}},
         "pan+- -11,-21@-1,-1 inertia start -11,-21 v -1,-1 d 4294967295 T 0 c1; "
         "pat+- -32778,32747@-32768,32767 second -32779,32746 T 0 c2"},
        {"GID_BEGIN, GID_END and an unknown identifier: default processing, handle open",
         {{S::Notify}, {S::Gesture, 1, 1}, {S::Gesture, 2, 4}, {S::Gesture, 99}},
         " F -7 c0;  F -7 c0;  F -7 c0"},
        {"no receiver: every gesture blocked, the handle never read",
         {{S::Unrouted}, {S::Gesture, 4, 1, 0}},
         "0:0/1 size 12 F -7;  F -7 c0 read 0"},
        {"receiver forgotten: the handle never read",
         {{S::Notify}, {S::Forget}, {S::Gesture, 3, 1, 100}},
         " F -7 c0 read 0"},
        {"the gesture information cannot be read", {{S::Notify}, {S::InfoFails, 3}}, " F -7 c0"},
        {"a child window's gesture: default processing's result, nothing decoded",
         {{S::Notify}, {S::ChildGesture, 3, 1, 100}},
         " T 562 c0 read 0"},
        {"another message: untouched", {{S::Other}}, " F -7"},
    };
    return cases;
}

std::string RunDecode(const DecodeCase& decode) {
    FakeGestureApi api;
    RecordingConsumer consumer;
    TestProducer producer(api);
    std::string trace;
    for (const Step& step : decode.steps) {
        consumer.trace.clear();
        api.parent = step.kind == Step::ChildGesture ? FakeGestureApi::kWindow : nullptr;
        const int reads = api.infoReads;
        std::string text;
        switch (step.kind) {
            case Step::Notify:
            case Step::Asked:
            case Step::Config:
            case Step::Unrouted:
                if (step.kind == Step::Config) {
                    consumer.panAnswer = int(step.flags);
                    consumer.otherAnswer = int(step.arguments);
                }
                producer.routed = step.kind == Step::Unrouted ? nullptr : &consumer;
                text = producer.Send(Platform::kWmGestureNotify, step);
                if (step.kind == Step::Notify) continue;
                text = step.kind == Step::Asked    ? consumer.trace + text
                       : step.kind == Step::Config ? Configs(api)
                                                   : Configs(api) + text;
                break;
            case Step::Forget:
                producer.ForgetConsumer();
                continue;
            case Step::Other:
                text = producer.Send(0x0200, step);
                break;
            default:
                text = producer.Send(Platform::kWmGesture, step);  // before the counts
                text = consumer.trace + text + Text(" c%d", api.closes) +
                       (api.infoReads == reads ? " read 0" : "");
        }
        trace += (trace.empty() ? "" : "; ") + text;
    }
    return trace;
}

}  // namespace GestureDecoderChecks
