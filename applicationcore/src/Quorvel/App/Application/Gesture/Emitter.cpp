#include <Quorvel/App/Application/Gesture/Emitter.h>

namespace Quorvel::App {

struct Gesture::Emitter::Impl {
    bool zoomEnabled = false;
    bool rotateEnabled = false;
    bool tapEnabled = false;
    bool pressAndTapEnabled = false;
    bool horizontalPanEnabled = false;
    bool verticalPanEnabled = false;
    bool panGutterEnabled = false;
    bool panInertiaEnabled = false;
};

Gesture::Emitter::Emitter(QObject* parent) : QObject(parent), m_impl(std::make_unique<Impl>()) {
    static const bool registered = [] {
        qRegisterMetaType<Pan>();
        qRegisterMetaType<Zoom>();
        qRegisterMetaType<Rotate>();
        qRegisterMetaType<Tap>();
        qRegisterMetaType<PressAndTap>();
        return true;
    }();
    Q_UNUSED(registered)
}

Gesture::Emitter::~Emitter() = default;

void Gesture::Emitter::setZoomEnabled(bool enabled) { m_impl->zoomEnabled = enabled; }
void Gesture::Emitter::setRotateEnabled(bool enabled) { m_impl->rotateEnabled = enabled; }
void Gesture::Emitter::setTapEnabled(bool enabled) { m_impl->tapEnabled = enabled; }
void Gesture::Emitter::setPressAndTapEnabled(bool enabled) { m_impl->pressAndTapEnabled = enabled; }
void Gesture::Emitter::setHorizontalPanEnabled(bool enabled) {
    m_impl->horizontalPanEnabled = enabled;
}
void Gesture::Emitter::setVerticalPanEnabled(bool enabled) { m_impl->verticalPanEnabled = enabled; }
void Gesture::Emitter::setPanGutterEnabled(bool enabled) { m_impl->panGutterEnabled = enabled; }
void Gesture::Emitter::setPanInertiaEnabled(bool enabled) { m_impl->panInertiaEnabled = enabled; }

void Gesture::Emitter::OnGesture(const PressAndTap& gesture) { emit pressAndTap(gesture); }
void Gesture::Emitter::OnGesture(const Tap& gesture) { emit tap(gesture); }
void Gesture::Emitter::OnGesture(const Rotate& gesture) { emit rotate(gesture); }
void Gesture::Emitter::OnGesture(const Zoom& gesture) { emit zoom(gesture); }
void Gesture::Emitter::OnGesture(const Pan& gesture) { emit pan(gesture); }

int Gesture::Emitter::WantGesture(const PressAndTap&) {
    return allOrNone(m_impl->pressAndTapEnabled);
}
int Gesture::Emitter::WantGesture(const Tap&) { return allOrNone(m_impl->tapEnabled); }
int Gesture::Emitter::WantGesture(const Rotate&) { return allOrNone(m_impl->rotateEnabled); }
int Gesture::Emitter::WantGesture(const Zoom&) { return allOrNone(m_impl->zoomEnabled); }
int Gesture::Emitter::WantGesture(const Pan&) {
    return (m_impl->panGutterEnabled ? Pan::Gutter : 0) |
           (m_impl->panInertiaEnabled ? Pan::Inertia : 0) |
           (m_impl->horizontalPanEnabled ? Pan::Horizontal : 0) |
           (m_impl->verticalPanEnabled ? Pan::Vertical : 0);
}

int Gesture::Emitter::allOrNone(bool enabled) { return enabled ? All : None; }

}  // namespace Quorvel::App
