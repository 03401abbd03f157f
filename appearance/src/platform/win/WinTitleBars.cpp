#include "TitleBars.h"
#include "win/DwmTitleBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QWindow>

#include <glog/logging.h>

namespace Quorvel::App::Platform {

namespace {

// Every top-level window of the product; while dark, an application-wide filter catches the
// windows made later as their native window appears.
class WinTitleBars : public QObject, public TitleBars {
public:
    ~WinTitleBars() override { Watch(false); }

    void SetDark(bool dark) override {
        if (m_refused || dark == m_dark) {
            return;
        }
        m_dark = dark;
        Watch(dark);
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (window->handle()) {
                Apply(window);
            }
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel()) {
                // The native window exists only once the event has been handled.
                QMetaObject::invokeMethod(
                    this,
                    [this, window = QPointer<QWindow>(window)] {
                        if (window && window->handle() && m_dark) {
                            Apply(window);
                        }
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    void Watch(bool on) {
        if (on == m_watching || !QCoreApplication::instance()) {
            return;
        }
        m_watching = on;
        if (on) {
            QCoreApplication::instance()->installEventFilter(this);
        } else {
            QCoreApplication::instance()->removeEventFilter(this);
        }
    }

    void Apply(QWindow* window) {
        if (m_refused) {
            return;
        }
        const HRESULT result = SetDarkTitleBar(reinterpret_cast<HWND>(window->winId()), m_dark);
        if (FAILED(result)) {
            // Older systems and some compatible ones do not have it: nothing more is tried.
            m_refused = true;
            Watch(false);
            LOG(WARNING) << "The title bars keep the system's colours: DwmSetWindowAttribute "
                            "answered 0x"
                         << std::hex << static_cast<unsigned long>(result);
        }
    }

    bool m_dark = false;
    bool m_watching = false;
    bool m_refused = false;
};

}  // namespace

std::unique_ptr<TitleBars> CreateTitleBars() { return std::make_unique<WinTitleBars>(); }

}  // namespace Quorvel::App::Platform
