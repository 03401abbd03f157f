#pragma once

#include <Quorvel/App/Application/Gesture/Producer.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <memory>

namespace Quorvel::App {

/// Where QWidget::nativeEvent stores a message's result: a product's window override spells its
/// signature with this and compiles under both toolkits.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using NativeEventResult = qintptr;
#else
using NativeEventResult = long;
#endif

/// Routes the native gestures of top-level windows to the widget under the finger: the
/// innermost widget there that has a Gesture::Consumer among its children (an Emitter or a
/// Scroller) receives the gesture, the earliest such child of that widget winning. A product
/// window forwards its native events from its own nativeEvent. A receiver destroyed during its
/// gesture gets nothing more of it. Lives on the GUI thread; owned by its parent.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::Router : public QObject, public Gesture::Producer {
    Q_OBJECT

public:
    /// Hooks into the application's native events; `parent` owns it.
    explicit Router(QObject* parent = nullptr);
    ~Router() override;

    /// Call from a top-level window's nativeEvent and return true when this does. `message` is
    /// the platform's MSG record; other messages than the two gesture messages pass untouched.
    bool nativeEvent(const QByteArray& eventType, void* message, NativeEventResult* result);

    /// The receiver under `gesture.globalPos` (screen coordinates), or null.
    Consumer* Route(const Gesture& gesture) override;

protected:
    /// Through the given gesture functions instead of the system's; `api` outlives the router.
    Router(Platform::GestureApi& api, QObject* parent);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
