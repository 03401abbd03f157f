#pragma once

// Private to the application core; not installed.

#include <QObject>

#include <functional>

namespace Quorvel::App::LookAndFeel {

// Calls back once, in the next event-loop turn, after the application's font changed (the
// desktop's font did, or the product set one), however many widgets are told of it. It
// watches only while active: an application-wide filter sees every event, so a theme with
// fixed sizes does not pay for one.
class DesktopFontWatcher : public QObject {
public:
    explicit DesktopFontWatcher(std::function<void()> changed);
    void SetActive(bool active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_changed;
    bool m_active = false;
    bool m_pending = false;
};

}  // namespace Quorvel::App::LookAndFeel
