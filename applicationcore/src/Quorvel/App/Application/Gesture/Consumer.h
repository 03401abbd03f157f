#pragma once

#include <Quorvel/App/Application/Gesture/Gesture.h>
#include <Quorvel/ApplicationCoreExport.h>

namespace Quorvel::App {

/// A receiver of gestures: says which kinds it wants when a gesture is about to start, and
/// gets the records of the gesture that was routed to it. By default it wants nothing.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::Consumer {
public:
    virtual ~Consumer();  ///< A router forgets a receiver only when told to.

    /// Gets one step of a gesture that was routed to this receiver; ignores it by default.
    /// @{
    virtual void OnGesture(const PressAndTap& gesture);
    virtual void OnGesture(const Tap& gesture);
    virtual void OnGesture(const Rotate& gesture);
    virtual void OnGesture(const Zoom& gesture);
    virtual void OnGesture(const Pan& gesture);
    /// @}

    /// Asked when a gesture of the kind is about to start at `gesture.pos`: Gesture::All
    /// wants the kind, anything else refuses it. For pans the answer is a set of Gesture::Pan
    /// bits (or All); any non-zero answer wants pans. Refuses by default.
    /// @{
    virtual int WantGesture(const PressAndTap& gesture);
    virtual int WantGesture(const Tap& gesture);
    virtual int WantGesture(const Rotate& gesture);
    virtual int WantGesture(const Zoom& gesture);
    virtual int WantGesture(const Pan& gesture);
    /// @}

protected:
    /// Only as the base of a receiver.
    /// @{
    Consumer() = default;
    Consumer(const Consumer&) = default;
    Consumer& operator=(const Consumer&) = default;
    /// @}
};

}  // namespace Quorvel::App
