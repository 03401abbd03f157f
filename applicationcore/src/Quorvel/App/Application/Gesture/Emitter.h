#pragma once

#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <memory>

namespace Quorvel::App {

/// A gesture receiver attached to a widget as its child: wants the kinds its switches allow
/// (all off at first) and re-emits every gesture it receives as a signal, directly, before the
/// gesture's handle is released. A switch takes effect when the next gesture starts.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::Emitter : public QObject, public Gesture::Consumer {
    Q_OBJECT

public:
    /// Attach it to the widget that is to receive the gestures (`parent` owns it).
    explicit Emitter(QObject* parent = nullptr);
    ~Emitter() override;

    /// Whether the emitter wants that kind of gesture (or that pan option) from the next
    /// gesture on.
    /// @{
    void setZoomEnabled(bool enabled);
    void setRotateEnabled(bool enabled);
    void setTapEnabled(bool enabled);
    void setPressAndTapEnabled(bool enabled);
    void setHorizontalPanEnabled(bool enabled);
    void setVerticalPanEnabled(bool enabled);
    void setPanGutterEnabled(bool enabled);
    void setPanInertiaEnabled(bool enabled);
    /// @}

signals:
    /// One step of a gesture of that kind (fully qualified, so that connections by signature
    /// strings match).
    /// @{
    void pan(const Quorvel::App::Gesture::Pan& gesture);
    void zoom(const Quorvel::App::Gesture::Zoom& gesture);
    void rotate(const Quorvel::App::Gesture::Rotate& gesture);
    void tap(const Quorvel::App::Gesture::Tap& gesture);
    void pressAndTap(const Quorvel::App::Gesture::PressAndTap& gesture);
    /// @}

private:
    void OnGesture(const PressAndTap& gesture) override;
    void OnGesture(const Tap& gesture) override;
    void OnGesture(const Rotate& gesture) override;
    void OnGesture(const Zoom& gesture) override;
    void OnGesture(const Pan& gesture) override;
    int WantGesture(const PressAndTap& gesture) override;
    int WantGesture(const Tap& gesture) override;
    int WantGesture(const Rotate& gesture) override;
    int WantGesture(const Zoom& gesture) override;
    int WantGesture(const Pan& gesture) override;

    static int allOrNone(bool enabled);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App

/// Registered by the first emitter, so that the signals may also be queued or spied on.
Q_DECLARE_METATYPE(Quorvel::App::Gesture::Pan)
Q_DECLARE_METATYPE(Quorvel::App::Gesture::Zoom)
Q_DECLARE_METATYPE(Quorvel::App::Gesture::Rotate)
Q_DECLARE_METATYPE(Quorvel::App::Gesture::Tap)
Q_DECLARE_METATYPE(Quorvel::App::Gesture::PressAndTap)
