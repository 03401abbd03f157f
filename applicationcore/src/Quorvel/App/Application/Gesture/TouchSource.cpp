#include <Quorvel/App/Application/Gesture/Consumer.h>
#include <Quorvel/App/Application/Gesture/Router.h>
#include <Quorvel/App/Application/Gesture/TouchSource.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QTouchEvent>
#include <QWidget>

#include <cmath>

namespace Quorvel::App {
namespace {

using TouchPoint = QTouchEvent::TouchPoint;

// Qt 6 calls them event points, and the screen position their global position.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
constexpr auto kPressed = QEventPoint::Pressed;
constexpr auto kReleased = QEventPoint::Released;
const QList<TouchPoint>& Points(const QTouchEvent& event) { return event.points(); }
QPointF ScreenPos(const TouchPoint& point) { return point.globalPosition(); }
#else
constexpr auto kPressed = Qt::TouchPointPressed;
constexpr auto kReleased = Qt::TouchPointReleased;
const QList<TouchPoint>& Points(const QTouchEvent& event) { return event.touchPoints(); }
QPointF ScreenPos(const TouchPoint& point) { return point.screenPos(); }
#endif

constexpr double kFullTurn = 6.283185307179586;  // radians
constexpr double kTurnThreshold = 0.15;          // radians two fingers turn before they rotate
constexpr qint64 kPressDelay = 150;      // ms: a second finger later than this presses-and-taps
constexpr qint64 kTapTime = 300;         // ms: the longest touch that still taps
constexpr qint64 kRestTime = 100;        // ms: a finger resting this long before it lifts stops
constexpr int kGutterSlops = 3;          // width of a pan's gutter, in drag distances
constexpr int kGlideInterval = 16;       // ms between inertia steps
constexpr double kGlideDecay = 0.92;     // share of the speed kept at each inertia step
constexpr double kGlideMinSpeed = 0.05;  // px/ms below which the content stops
constexpr double kGlideMaxSpeed = 4.0;   // px/ms, whatever the last move suggests

enum class Phase { Idle, Pending, Panning, Zooming, Rotating, Done };
enum class Rail { None, Horizontal, Vertical };

double Length(QPointF vector) { return std::hypot(vector.x(), vector.y()); }

// Counterclockwise on screen is positive, as the native rotation reports it.
double Direction(QPointF from, QPointF to) {
    return std::atan2(from.y() - to.y(), to.x() - from.x());
}

const TouchPoint* Find(const QList<TouchPoint>& points, int id) {
    for (const TouchPoint& point : points) {
        if (point.id() == id) {
            return &point;
        }
    }
    return nullptr;
}

}  // namespace

struct Gesture::TouchSource::Impl {
    explicit Impl(QWidget* target) : window(target) {
        glide.setInterval(kGlideInterval);
        QObject::connect(&glide, &QTimer::timeout, [this] { Glide(); });
    }

    QWidget* window;
    Router router;  // only for its routing rules; it decodes no native messages here
    Consumer* receiver = nullptr;
    QPointer<QObject> receiverObject;  // the receiver, guarded
    int panAnswer = 0;
    bool zoomWanted = false, rotateWanted = false, tapWanted = false, pressAndTapWanted = false;

    Phase phase = Phase::Idle;
    int firstId = -1, secondId = -1;
    QPointF firstStart, secondStart;
    qint64 firstTime = 0, secondTime = 0;
    bool moved = false;  // a finger went further than the drag distance

    // Two fingers, from the moment both touched.
    double startDistance = 0, lastDirection = 0, turned = 0;
    QPointF startCentre;

    // Pans: where the begin message was, the rail a gutter keeps it on, the finger's speed.
    bool twoFingerPan = false;
    QPointF panStart, panLast;
    Point panStartPos;
    Rail rail = Rail::None;
    QPointF velocity;  // px/ms
    qint64 lastMoveTime = 0;
    QTimer glide;
    Point glideVector;

    static int Slop() { return QApplication::startDragDistance(); }
    bool Wants(int panBits) const { return (panAnswer & (All | panBits)) != 0; }

    Gesture At(QPointF screen, bool begin = false, bool end = false) const {
        Gesture gesture;
        const QPoint global = screen.toPoint();
        const QPoint client = window->mapFromGlobal(global);
        gesture.globalPos = {global.x(), global.y()};
        gesture.pos = {client.x(), client.y()};
        gesture.begin = begin;
        gesture.end = end;
        return gesture;
    }

    // A receiver destroyed meanwhile gets nothing, nor does anyone else for this touch.
    template <class Kind>
    void Deliver(const Kind& record) {
        if (!receiverObject) {
            phase = Phase::Done;
            glide.stop();
            return;
        }
        receiver->OnGesture(record);
    }

    bool Begin(const QTouchEvent& event) {
        FinishGlide();
        const TouchPoint& first = Points(event).first();
        const Gesture at = At(ScreenPos(first));
        receiver = router.Route(at);
        receiverObject = dynamic_cast<QObject*>(receiver);
        if (!receiver) {
            return false;
        }
        // Asked in the order the native decoder asks.
        zoomWanted = receiver->WantGesture(Zoom{at}) == All;
        panAnswer = receiver->WantGesture(Pan{at});
        rotateWanted = receiver->WantGesture(Rotate{at}) == All;
        tapWanted = receiver->WantGesture(Tap{at}) == All;
        pressAndTapWanted = receiver->WantGesture(PressAndTap{at}) == All;
        if (!zoomWanted && !panAnswer && !rotateWanted && !tapWanted && !pressAndTapWanted) {
            return false;
        }
        phase = Phase::Pending;
        firstId = first.id();
        firstStart = ScreenPos(first);
        firstTime = static_cast<qint64>(event.timestamp());
        secondId = -1;
        moved = false;
        Update(event);
        return true;
    }

    void Update(const QTouchEvent& event) {
        const qint64 now = static_cast<qint64>(event.timestamp());
        const QList<TouchPoint>& points = Points(event);
        if (secondId < 0) {
            for (const TouchPoint& point : points) {
                if (point.id() != firstId && point.state() == kPressed) {
                    SecondTouched(point, now);
                    break;
                }
            }
        }
        const TouchPoint* first = Find(points, firstId);
        const TouchPoint* second = secondId < 0 ? nullptr : Find(points, secondId);
        moved = moved || (first && Length(ScreenPos(*first) - firstStart) > Slop()) ||
                (second && Length(ScreenPos(*second) - secondStart) > Slop());
        const bool bothDown =
            first && second && first->state() != kReleased && second->state() != kReleased;
        if (phase == Phase::Pending) {
            if (bothDown) {
                StartTwoFingerGesture(*first, *second);
            } else if (first && second && second->state() == kReleased) {
                SecondLifted(*first, *second, now);
            } else if (first && secondId < 0 &&
                       Length(AlongWantedAxes(ScreenPos(*first) - firstStart)) > Slop()) {
                StartPan(firstStart, ScreenPos(*first), false);
            }
        }
        switch (phase) {  // a pan that just began moves at once
            case Phase::Panning:
                if (twoFingerPan && bothDown) {
                    MovePan((ScreenPos(*first) + ScreenPos(*second)) / 2, now,
                            Length(ScreenPos(*first) - ScreenPos(*second)));
                } else if (!twoFingerPan && first) {
                    MovePan(Railed(ScreenPos(*first)), now, 0);
                }
                if (!first || first->state() == kReleased || (twoFingerPan && !bothDown)) {
                    EndPan(now);
                }
                break;
            case Phase::Zooming:
            case Phase::Rotating:
                if (first && second) {
                    MoveTwoFingers(*first, *second, !bothDown);
                }
                break;
            default:
                break;
        }
    }

    void Finish(const QTouchEvent& event) {
        Update(event);
        const qint64 now = static_cast<qint64>(event.timestamp());
        if (phase == Phase::Pending && secondId >= 0 && tapWanted && !moved &&
            secondTime - firstTime < kPressDelay && now - firstTime <= kTapTime) {
            auto tap = Tap{At((firstStart + secondStart) / 2, true, true)};
            tap.distance =
                static_cast<std::uint32_t>(std::lround(Length(secondStart - firstStart)));
            Deliver(tap);
        } else if (phase == Phase::Pending && secondId < 0 && !moved && receiverObject) {
            Click(firstStart);
        }
        if (phase != Phase::Panning) {  // a gliding pan ends on its own
            phase = Phase::Idle;
        }
    }

    void SecondTouched(const TouchPoint& point, qint64 now) {
        secondId = point.id();
        secondStart = ScreenPos(point);
        secondTime = now;
    }

    // The second finger lifted while the first stays: a press and tap when the first was held
    // before and neither moved; otherwise this touch makes no gesture any more.
    void SecondLifted(const TouchPoint& first, const TouchPoint& second, qint64 now) {
        if (secondTime - firstTime < kPressDelay) {
            return;  // lifted a little before the first: still a two-finger tap
        }
        if (pressAndTapWanted && !moved && now - secondTime <= kTapTime) {
            auto pressAndTap = PressAndTap{At(ScreenPos(first), true, true)};
            pressAndTap.secondPos = At(ScreenPos(second)).pos;
            Deliver(pressAndTap);
        }
        phase = Phase::Done;
    }

    void StartTwoFingerGesture(const TouchPoint& first, const TouchPoint& second) {
        const QPointF a = ScreenPos(first), b = ScreenPos(second);
        if (startDistance <= 0) {  // both fingers just touched: the baselines
            startDistance = Length(b - a);
            lastDirection = Direction(a, b);
            turned = 0;
            startCentre = (a + b) / 2;
        }
        Turn(a, b);
        if (zoomWanted && std::abs(Length(b - a) - startDistance) > Slop()) {
            phase = Phase::Zooming;
        } else if (rotateWanted && std::abs(turned) > kTurnThreshold) {
            phase = Phase::Rotating;
        } else if (panAnswer && Length((a + b) / 2 - startCentre) > Slop()) {
            StartPan(startCentre, (a + b) / 2, true);
            return;
        } else {
            return;
        }
        MoveTwoFingers(first, second, false, true);
    }

    // Follows the angle across the ±π seam, so that a turn adds up.
    void Turn(QPointF a, QPointF b) {
        const double direction = Direction(a, b);
        turned += std::remainder(direction - lastDirection, kFullTurn);
        lastDirection = direction;
    }

    // The begin message reports where the fingers touched; the others where they are now.
    void MoveTwoFingers(const TouchPoint& first, const TouchPoint& second, bool end,
                        bool begin = false) {
        const QPointF a = ScreenPos(first), b = ScreenPos(second);
        const Gesture at = At(begin ? startCentre : (a + b) / 2, begin, end);
        if (!begin) {
            Turn(a, b);
        }
        if (phase == Phase::Zooming) {
            auto zoom = Zoom{at};
            zoom.startDistance = startDistance;
            zoom.distance = begin ? startDistance : Length(b - a);
            Deliver(zoom);
        } else {
            auto rotate = Rotate{at};
            rotate.angle = begin ? 0 : turned;
            Deliver(rotate);
        }
        if (end) {
            phase = Phase::Done;
        }
    }

    void StartPan(QPointF start, QPointF now, bool twoFingers) {
        phase = Phase::Panning;
        twoFingerPan = twoFingers;
        panStart = panLast = start;
        velocity = {};
        rail = Rail::None;
        const QPointF delta = now - start;
        if (!twoFingers && Wants(Pan::Gutter)) {
            if (std::abs(delta.x()) > 2 * std::abs(delta.y())) {
                rail = Rail::Horizontal;
            } else if (std::abs(delta.y()) > 2 * std::abs(delta.x())) {
                rail = Rail::Vertical;
            }
        }
        auto begin = Pan{At(start, true)};
        panStartPos = begin.pos;
        begin.startPos = panStartPos;
        Deliver(begin);
        lastMoveTime = firstTime;
    }

    // A single finger pans only along the axes the receiver wants, and stays on the rail its
    // gutter gave it until it leaves the gutter.
    QPointF Railed(QPointF finger) {
        QPointF delta = finger - panStart;
        const double gutter = kGutterSlops * Slop();
        if (rail == Rail::Horizontal && std::abs(delta.y()) > gutter) {
            rail = Rail::None;
        } else if (rail == Rail::Vertical && std::abs(delta.x()) > gutter) {
            rail = Rail::None;
        }
        if (rail == Rail::Vertical) {
            delta.setX(0);
        } else if (rail == Rail::Horizontal) {
            delta.setY(0);
        }
        return panStart + AlongWantedAxes(delta);
    }

    QPointF AlongWantedAxes(QPointF delta) const {
        return {Wants(Pan::Horizontal) ? delta.x() : 0, Wants(Pan::Vertical) ? delta.y() : 0};
    }

    Pan PanAt(QPointF screen, bool end, double distance) const {
        auto pan = Pan{At(screen, false, end)};
        pan.startPos = panStartPos;
        pan.distance = static_cast<std::uint32_t>(std::lround(distance));
        return pan;
    }

    void MovePan(QPointF position, qint64 now, double distance) {
        if (At(position).pos == At(panLast).pos) {
            return;
        }
        const QPointF step = (position - panLast) / double(qMax<qint64>(1, now - lastMoveTime));
        velocity = (velocity + step) / 2;
        lastMoveTime = now;
        panLast = position;
        Deliver(PanAt(position, false, distance));
    }

    void EndPan(qint64 now) {
        if (phase != Phase::Panning) {
            return;  // the receiver went away
        }
        const double speed = Length(velocity);
        if (now - lastMoveTime < kRestTime && speed > kGlideMinSpeed && Wants(Pan::Inertia)) {
            velocity *= qMin(1.0, kGlideMaxSpeed / speed);
            // px/s, as a signed 16-bit pair
            glideVector = {static_cast<std::int16_t>(velocity.x() * 1000),
                           static_cast<std::int16_t>(velocity.y() * 1000)};
            glide.start();
            return;
        }
        Deliver(PanAt(panLast, true, 0));
        phase = Phase::Done;
    }

    void Glide() {
        panLast += velocity * kGlideInterval;
        velocity *= kGlideDecay;
        auto pan = PanAt(panLast, false, 0);
        pan.inertia = true;
        pan.inertiaVector = glideVector;
        Deliver(pan);
        if (Length(velocity) < kGlideMinSpeed) {
            FinishGlide();
        }
    }

    void FinishGlide() {
        if (glide.isActive()) {
            glide.stop();
            auto end = PanAt(panLast, true, 0);
            end.inertia = true;
            Deliver(end);
        }
        phase = Phase::Idle;
        startDistance = 0;
    }

    // A touch that made no gesture is a click for whatever lies under the finger.
    void Click(QPointF screen) {
        const QPoint global = screen.toPoint();
        QWidget* target = QApplication::widgetAt(global);
        if (!target) {
            return;
        }
        const QPoint local = target->mapFromGlobal(global);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, local, local, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier, Qt::MouseEventSynthesizedByApplication);
            QApplication::sendEvent(target, &click);
        }
    }
};

Gesture::TouchSource::TouchSource(QWidget* window)
    : QObject(window), m_impl(std::make_unique<Impl>(window)) {
    window->setAttribute(Qt::WA_AcceptTouchEvents);
    window->installEventFilter(this);
}

Gesture::TouchSource::~TouchSource() = default;

bool Gesture::TouchSource::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_impl->window) {
        return false;
    }
    switch (event->type()) {
        case QEvent::TouchBegin:
            return m_impl->Begin(*static_cast<QTouchEvent*>(event));
        case QEvent::TouchUpdate:
            m_impl->Update(*static_cast<QTouchEvent*>(event));
            return m_impl->phase != Phase::Idle;
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
            m_impl->Finish(*static_cast<QTouchEvent*>(event));
            return true;
        default:
            return false;
    }
}

}  // namespace Quorvel::App
