#pragma once

#include <Quorvel/App/Application/Gesture/Gesture.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <memory>

class QWidget;

namespace Quorvel::App {

/// Touch input of one top-level window as gesture records, where the system has no native
/// gesture messages (Linux): one finger moving pans, two fingers spreading zoom, two fingers
/// turning rotate, a quick two-finger touch taps, and a finger held while another taps presses
/// and taps. Each touch is routed as Gesture::Router routes native gestures, to the receiver
/// under the first finger, and gets only the kinds that receiver wants; a touch with no
/// receiver, or one that wants nothing, stays ordinary touch and mouse input. Positions are
/// client coordinates of the window (`pos`) and screen coordinates (`globalPos`).
/// A child of the window, filtering only its events; GUI thread.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::TouchSource : public QObject {
    Q_OBJECT

public:
    /// Filters the touch events of `window`, which becomes its parent and owns it.
    explicit TouchSource(QWidget* window);
    ~TouchSource() override;

protected:
    /// Reads the window's touch events; lets every event through.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
