#pragma once

#include <Quorvel/App/Application/Gesture/Gesture.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <cstdint>
#include <memory>

namespace Quorvel::App {

namespace Platform {
class GestureApi;
}

/// Decodes the native gesture messages of top-level windows into Gesture records for one
/// receiver at a time: when a gesture is about to start it asks Route for the receiver, sets
/// the window's gesture configuration from the receiver's answers, and then delivers every
/// step of the gesture to that receiver. Plain C++ on the GUI thread that owns the windows;
/// Gesture::Router is the Qt side of it. The producer never owns a receiver.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::Producer {
public:
    Producer();
    virtual ~Producer();
    Producer(const Producer&) = delete;
    Producer& operator=(const Producer&) = delete;

    /// The receiver for a gesture about to start at `gesture`'s position; null: nobody, and
    /// the window's gestures are blocked until the next one starts.
    virtual Consumer* Route(const Gesture& gesture);

protected:
    /// Through the given functions instead of the system's; `api` must outlive the producer.
    explicit Producer(Platform::GestureApi& api);

    /// The gesture-about-to-start message of `window`; `lParam` points to the platform's
    /// notify record. Always false: the message goes on to default processing.
    bool OnGestureNotify(void* window, void* wParam, void* lParam);
    /// One step of a gesture of `window`; `lParam` is the gesture-information handle. True
    /// when it was delivered and the handle closed; false leaves it to default processing.
    bool OnGesture(void* window, void* wParam, void* lParam);
    /// A window's native message (the platform's MSG record): the two gesture messages are
    /// handled as above, a child window's gestures go to default processing at once, which
    /// passes them to the parent. True when `*result` holds the message's result.
    bool OnNativeMessage(void* message, std::intptr_t* result);
    /// The remembered receiver is gone: the rest of its gesture goes to default processing.
    void ForgetConsumer();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
