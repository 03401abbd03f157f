#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Producer.h>

#include "GestureApi.h"

namespace Quorvel::App {
namespace {

using Platform::GestureConfig;

// Gesture identifiers and flags of the platform.
constexpr std::uint32_t kZoom = 3;
constexpr std::uint32_t kPan = 4;
constexpr std::uint32_t kRotate = 5;
constexpr std::uint32_t kTwoFingerTap = 6;
constexpr std::uint32_t kPressAndTap = 7;
constexpr std::uint32_t kFlagBegin = 1;
constexpr std::uint32_t kFlagInertia = 2;
constexpr std::uint32_t kFlagEnd = 4;
constexpr std::uint32_t kBlockAllGestures = 1;

// The platform's pan options and the bits of a receiver's answer that want each one.
struct PanOption {
    std::uint32_t option;
    int answerBits;
};
constexpr PanOption kPanOptions[] = {
    {0x01, ~0},                                       // panning at all: any answer
    {0x02, Gesture::All | Gesture::Pan::Vertical},    // single finger, vertically
    {0x04, Gesture::All | Gesture::Pan::Horizontal},  // single finger, horizontally
    {0x10, Gesture::All | Gesture::Pan::Inertia},     // inertia
    {0x08, Gesture::All | Gesture::Pan::Gutter},      // gutter
};

GestureConfig PanConfig(int answer) {
    GestureConfig config{kPan, 0, 0};
    for (const PanOption& option : kPanOptions) {
        (answer & option.answerBits ? config.want : config.block) |= option.option;
    }
    return config;
}

// Every kind but pan is wanted by exactly Gesture::All and nothing else.
GestureConfig KindConfig(std::uint32_t id, int answer) {
    return answer == Gesture::All ? GestureConfig{id, 1, 0} : GestureConfig{id, 0, 1};
}

std::int32_t Signed16(std::uint32_t bits) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits & 0xFFFF));
}

// The platform's argument-to-angle conversion, in its order of evaluation.
double AngleOf(std::uint64_t argument) {
    return static_cast<double>(argument) / 65535.0 * 4.0 * 3.14159265 - 6.2831853;
}

}  // namespace

struct Gesture::Producer::Impl {
    explicit Impl(Platform::GestureApi& systemApi) : api(systemApi) {}

    // Identifiers and their order carry over; want and block are written before every use.
    GestureConfig configTable[5] = {{kZoom, 0, 1},
                                    {kPan, 0, 0x1E},
                                    {kRotate, 0, 1},
                                    {kTwoFingerTap, 0, 1},
                                    {kPressAndTap, 0, 1}};
    double zoomStartDistance = 0;
    double rotateStartAngle = 0;
    Point panStartPos;
    Consumer* currentConsumer = nullptr;
    Platform::GestureApi& api;

    // The position a message reports, in screen and in `window`'s client coordinates.
    Gesture At(void* window, Platform::NativeShortPoint location) {
        Gesture gesture;
        gesture.globalPos = {location.x, location.y};
        Platform::NativePoint client{location.x, location.y};
        api.ScreenToClient(window, &client);
        gesture.pos = {client.x, client.y};
        return gesture;
    }
};

Gesture::Producer::Producer() : Producer(Platform::SystemGestureApi()) {}

Gesture::Producer::Producer(Platform::GestureApi& api) : m_impl(std::make_unique<Impl>(api)) {}

Gesture::Producer::~Producer() = default;

Gesture::Consumer* Gesture::Producer::Route(const Gesture&) { return nullptr; }

void Gesture::Producer::ForgetConsumer() { m_impl->currentConsumer = nullptr; }

bool Gesture::Producer::OnGestureNotify(void* window, void*, void* lParam) {
    Impl& state = *m_impl;
    const auto& notify = *static_cast<const Platform::GestureNotify*>(lParam);
    const Gesture gesture = state.At(window, notify.location);
    Consumer* consumer = Route(gesture);
    if (!consumer) {
        GestureConfig blockAll{0, 0, kBlockAllGestures};
        state.api.SetGestureConfig(window, 0, 1, &blockAll, sizeof blockAll);
        state.currentConsumer = nullptr;
        return false;
    }
    GestureConfig* table = state.configTable;
    table[0] = KindConfig(kZoom, consumer->WantGesture(Zoom{gesture}));
    table[1] = PanConfig(consumer->WantGesture(Pan{gesture}));
    table[2] = KindConfig(kRotate, consumer->WantGesture(Rotate{gesture}));
    table[3] = KindConfig(kTwoFingerTap, consumer->WantGesture(Tap{gesture}));
    table[4] = KindConfig(kPressAndTap, consumer->WantGesture(PressAndTap{gesture}));
    state.api.SetGestureConfig(window, 0, 5, table, sizeof *table);
    state.currentConsumer = consumer;
    return false;
}

bool Gesture::Producer::OnGesture(void* window, void*, void* lParam) {
    Impl& state = *m_impl;
    if (!state.currentConsumer) {
        return false;
    }
    Platform::GestureInfo info;
    info.size = sizeof info;
    if (!state.api.GetGestureInfo(lParam, &info)) {
        return false;
    }
    Gesture common = state.At(window, info.location);
    common.begin = (info.flags & kFlagBegin) != 0;
    common.end = (info.flags & kFlagEnd) != 0;
    const auto low = static_cast<std::uint32_t>(info.arguments);
    const auto high = static_cast<std::uint32_t>(info.arguments >> 32);
    Consumer& consumer = *state.currentConsumer;
    switch (info.id) {
        case kZoom: {
            if (common.begin) {
                state.zoomStartDistance = static_cast<double>(low);
            }
            auto zoom = Zoom{common};
            zoom.startDistance = state.zoomStartDistance;
            zoom.distance = static_cast<double>(low);
            consumer.OnGesture(zoom);
            break;
        }
        case kPan: {
            if (common.begin) {
                state.panStartPos = common.pos;
            }
            auto pan = Pan{common};
            pan.startPos = state.panStartPos;
            pan.inertiaVector = {Signed16(high), Signed16(high >> 16)};
            pan.inertia = (info.flags & kFlagInertia) != 0;
            pan.distance = low;
            consumer.OnGesture(pan);
            break;
        }
        case kRotate: {
            const double angle = AngleOf(info.arguments);
            if (common.begin) {
                state.rotateStartAngle = angle;
            }
            auto rotate = Rotate{common};
            rotate.startAngle = state.rotateStartAngle;
            rotate.angle = angle;
            consumer.OnGesture(rotate);
            break;
        }
        case kTwoFingerTap: {
            auto tap = Tap{common};
            tap.distance = low;
            consumer.OnGesture(tap);
            break;
        }
        case kPressAndTap: {
            auto pressAndTap = PressAndTap{common};
            pressAndTap.secondPos = {common.pos.x + Signed16(low),
                                     common.pos.y + Signed16(low >> 16)};
            consumer.OnGesture(pressAndTap);
            break;
        }
        default:  // the begin and end of the whole interaction, and kinds unknown to us
            return false;
    }
    state.api.CloseGestureInfoHandle(lParam);
    return true;
}

bool Gesture::Producer::OnNativeMessage(void* message, std::intptr_t* result) {
    const auto& native = *static_cast<const Platform::NativeMessage*>(message);
    auto* wParam = reinterpret_cast<void*>(native.wParam);
    auto* lParam = reinterpret_cast<void*>(native.lParam);
    if (native.message == Platform::kWmGesture) {
        // Only top-level windows decode gestures; the default processing of a child window
        // hands them on to its parent.
        if (m_impl->api.GetParent(native.window)) {
            *result = static_cast<std::intptr_t>(m_impl->api.DefWindowProcW(
                native.window, native.message, native.wParam, native.lParam));
            return true;
        }
        if (OnGesture(native.window, wParam, lParam)) {
            *result = 0;
            return true;
        }
        return false;
    }
    if (native.message == Platform::kWmGestureNotify &&
        OnGestureNotify(native.window, wParam, lParam)) {
        *result = 0;
        return true;
    }
    return false;
}

}  // namespace Quorvel::App
