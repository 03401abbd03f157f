#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <cstdint>

namespace Quorvel::App {

/// A touch gesture as the system reports it to a top-level window, and the scope of the gesture
/// types: the five kinds of record below, the receiver interface `Consumer`, the native decoder
/// `Producer`, and the Qt side (`Router`, `Emitter`, `Scroller`, `TouchSource`). Records are
/// plain values, made and delivered on the GUI thread. Kept free of Qt so that the decoder
/// builds on its own for the Windows backend. A kind of record is made from the common part,
/// `Gesture::Zoom{common}`, its own fields zero.
struct QUORVEL_APPLICATIONCORE_EXPORT Gesture {
    /// Pixels, as the system reports them to the process.
    struct Point {
        std::int32_t x = 0;  ///< to the right
        std::int32_t y = 0;  ///< downwards
        /// Equal when both coordinates are.
        /// @{
        bool operator==(const Point& other) const { return x == other.x && y == other.y; }
        bool operator!=(const Point& other) const { return !(*this == other); }
        /// @}
    };

    struct Tap;
    struct PressAndTap;
    struct Pan;
    struct Zoom;
    struct Rotate;
    class Consumer;
    class Producer;
    class Router;
    class Emitter;
    class Scroller;
    class TouchSource;

    /// A receiver's answer to whether it wants a kind: every variant of it, or none.
    static constexpr int All = 1;   ///< wants every variant of the kind
    static constexpr int None = 0;  ///< refuses the kind

    Point pos{};         ///< client coordinates of the window that received the gesture
    Point globalPos{};   ///< the same position in screen coordinates
    bool begin = false;  ///< the first record of this gesture
    bool end = false;    ///< the last record of this gesture
};

/// Two fingers touching and lifting together.
struct Gesture::Tap : Gesture {
    std::uint32_t distance = 0;  ///< between the two touch points
};

/// One finger held down while a second one taps.
struct Gesture::PressAndTap : Gesture {
    Point secondPos{};  ///< client position of the tapping finger
};

/// One or two fingers moving; with inertia, the records after the fingers lifted.
struct Gesture::Pan : Gesture {
    /// Bits of a receiver's answer to pans, beside Gesture::All (every option). Inertia and
    /// gutter are the reverse of the platform's option values; the decoder translates.
    static constexpr int Vertical = 2;    ///< single-finger vertical panning
    static constexpr int Horizontal = 4;  ///< single-finger horizontal panning
    static constexpr int Inertia = 8;     ///< messages after the fingers lift
    static constexpr int Gutter = 16;     ///< panning keeps to its first axis within a gutter

    Point startPos{};            ///< pos of the pan's begin message
    Point inertiaVector{};       ///< each coordinate a signed 16-bit value
    bool inertia = false;        ///< inertiaVector is set
    std::uint32_t distance = 0;  ///< between the two touch points
};

/// Two fingers moving apart or together.
struct Gesture::Zoom : Gesture {
    double startDistance = 0;  ///< at the zoom's begin message
    double distance = 0;       ///< now
};

/// Two fingers turning about their middle.
struct Gesture::Rotate : Gesture {
    double startAngle = 0;  ///< radians, at the rotation's begin message
    double angle = 0;       ///< radians, now
};

}  // namespace Quorvel::App
