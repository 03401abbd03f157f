#include <Quorvel/App/Application/LookAndFeel/DesktopFontWatcher.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace Quorvel::App::LookAndFeel {

DesktopFontWatcher::DesktopFontWatcher(std::function<void()> changed)
    : m_changed(std::move(changed)) {}

void DesktopFontWatcher::SetActive(bool active) {
    if (active == m_active || !QCoreApplication::instance()) {
        return;
    }
    m_active = active;
    if (active) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool DesktopFontWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationFontChange && watched == QCoreApplication::instance() &&
        !m_pending) {
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            m_changed();
        });
    }
    return false;
}

}  // namespace Quorvel::App::LookAndFeel
