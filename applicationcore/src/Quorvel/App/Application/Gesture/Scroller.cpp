#include <Quorvel/App/Application/Gesture/Scroller.h>

#include <QAbstractItemView>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace Quorvel::App {
namespace {

// After the restore: a bar that was at its end before it stays at its (new) end when item-wise
// scrolling, which changes the range, comes back.
// The bar's value moved by `delta`; the bar clamps it to its range, and so does this to int's.
void MoveBy(QScrollBar* bar, qint64 delta) {
    bar->setValue(static_cast<int>(std::clamp<qint64>(bar->value() + delta, INT_MIN, INT_MAX)));
}

void KeepAtEnd(QScrollBar* bar, bool wasAtEnd, QAbstractItemView::ScrollMode restored) {
    if (wasAtEnd && restored == QAbstractItemView::ScrollPerItem) {
        bar->setValue(bar->maximum());
    }
}

}  // namespace

struct Gesture::Scroller::Impl {
    QAbstractScrollArea* area = nullptr;
    QAbstractItemView* view = nullptr;
    Point lastPos;
    // Before any pan, what the view had at construction.
    QAbstractItemView::ScrollMode savedHorizontalMode = QAbstractItemView::ScrollPerItem;
    QAbstractItemView::ScrollMode savedVerticalMode = QAbstractItemView::ScrollPerItem;
};

Gesture::Scroller::Scroller(QAbstractScrollArea* area)
    : Emitter(area), m_impl(std::make_unique<Impl>()) {
    m_impl->area = area;
    m_impl->view = qobject_cast<QAbstractItemView*>(area);
    if (m_impl->view) {
        m_impl->savedHorizontalMode = m_impl->view->horizontalScrollMode();
        m_impl->savedVerticalMode = m_impl->view->verticalScrollMode();
    }
    connect(this, SIGNAL(pan(Quorvel::App::Gesture::Pan const&)), this,
            SLOT(scrollByPanning(Quorvel::App::Gesture::Pan const&)));
    setHorizontalPanEnabled(true);
    setVerticalPanEnabled(true);
    setPanGutterEnabled(true);
    setPanInertiaEnabled(true);
}

Gesture::Scroller::~Scroller() = default;

void Gesture::Scroller::scrollByPanning(const Quorvel::App::Gesture::Pan& pan) {
    Impl& state = *m_impl;
    QScrollBar* horizontal = state.area->horizontalScrollBar();
    QScrollBar* vertical = state.area->verticalScrollBar();
    if (pan.begin && state.view) {
        state.savedHorizontalMode = state.view->horizontalScrollMode();
        state.savedVerticalMode = state.view->verticalScrollMode();
        state.view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        state.view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    if (pan.end && state.view) {
        const bool horizontalAtEnd = horizontal->value() == horizontal->maximum();
        const bool verticalAtEnd = vertical->value() == vertical->maximum();
        state.view->setHorizontalScrollMode(state.savedHorizontalMode);
        state.view->setVerticalScrollMode(state.savedVerticalMode);
        KeepAtEnd(horizontal, horizontalAtEnd, state.savedHorizontalMode);
        KeepAtEnd(vertical, verticalAtEnd, state.savedVerticalMode);
    }
    if (!pan.begin && !pan.end) {
        // The content follows the finger.
        MoveBy(horizontal, qint64(state.lastPos.x) - pan.pos.x);
        MoveBy(vertical, qint64(state.lastPos.y) - pan.pos.y);
    }
    state.lastPos = pan.pos;
}

}  // namespace Quorvel::App
