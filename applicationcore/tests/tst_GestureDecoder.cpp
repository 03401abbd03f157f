// The gesture decoder: its tables (shared with the mingw-w64 build that runs under wine),
// and its routing to the widgets' emitters.
#include "gesture/EmitterSwitches.h"
#include "gesture/GestureDecoderChecks.h"

#include <Quorvel/App/Application/Gesture/Emitter.h>
#include <Quorvel/App/Application/Gesture/Router.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QPointer>
#include <QtTest>

using namespace GestureDecoderChecks;
using Quorvel::App::Gesture;

namespace {

// A widget that is a receiver itself: routing tests children only, never the widget touched.
class ConsumerWidget : public QWidget, public Gesture::Consumer {};

class TestRouter : public Gesture::Router {
public:
    explicit TestRouter(FakeGestureApi& api) : Router(api, nullptr) {}
};

// window (a consumer itself) > outer > middle > inner, each inside the one before.
struct Tree {
    Tree() {
        window.setGeometry(100, 100, 400, 300);
        outer->setGeometry(0, 0, 300, 300);
        middle->setGeometry(20, 20, 250, 250);
        inner->setGeometry(10, 10, 100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWidget* Named(const QString& name) {
        return name == "window" ? &window : window.findChild<QWidget*>(name);
    }
    // Global position of a point of `name`'s area.
    QPoint At(const QString& name, QPoint local = {5, 5}) {
        return Named(name)->mapToGlobal(local);
    }

    ConsumerWidget window;
    QWidget* outer = Named(&window, "outer");
    QWidget* middle = Named(outer, "middle");
    QWidget* inner = Named(middle, "inner");

    static QWidget* Named(QWidget* parent, const char* name) {
        auto* widget = new QWidget(parent);
        widget->setObjectName(name);
        return widget;
    }
};

}  // namespace

class TestGestureDecoder : public QObject {
    Q_OBJECT

private slots:
    void decoding_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < DecodeCases().size(); ++i) {
            QTest::newRow(DecodeCases()[i].name) << int(i);
        }
    }
    void decoding() {
        QFETCH(int, index);
        const DecodeCase& decode = DecodeCases()[size_t(index)];
        QCOMPARE(QString::fromStdString(RunDecode(decode)), QString(decode.expected));
    }

    // `receivers`: widgets that get an emitter, in this order, each named <widget>#<n>.
    void routing_data() {
        QTest::addColumn<QStringList>("receivers");
        QTest::addColumn<QString>("touched");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the touched widget's emitter") << QStringList{"inner", "middle"} << "inner"
                                                      << "inner#0";
        QTest::newRow("the nearest ancestor with one") << QStringList{"outer", "middle"} << "inner"
                                                       << "middle#1";
        QTest::newRow("two of one widget: the earliest child")
            << QStringList{"inner", "inner"} << "inner"
            << "inner#0";
        QTest::newRow("none in the chain") << QStringList{} << "inner"
                                           << "";
        QTest::newRow("a consumer widget is never tested itself")
            << QStringList{"inner"} << "window"
            << "";
        QTest::newRow("a point outside every widget") << QStringList{"inner"} << ""
                                                      << "";
    }
    void routing() {
        QFETCH(QStringList, receivers);
        QFETCH(QString, touched);
        QFETCH(QString, expected);
        Tree tree;
        for (int i = 0; i < receivers.size(); ++i) {
            auto* emitter = new Gesture::Emitter(tree.Named(receivers[i]));
            emitter->setObjectName(receivers[i] + "#" + QString::number(i));
        }
        Gesture gesture;
        QPoint global(2, 2);  // beside the window
        if (touched == "window") {
            global = tree.At("window", {350, 200});  // beside outer
        } else if (!touched.isEmpty()) {
            global = tree.At(touched);
        }
        gesture.globalPos = {global.x(), global.y()};
        FakeGestureApi api;
        Gesture::Consumer* routed = TestRouter(api).Route(gesture);
        QCOMPARE(routed ? dynamic_cast<QObject*>(routed)->objectName() : QString(), expected);
    }

    void emitterAnswers_data() {
        QTest::addColumn<QString>("switches");  // see SetSwitches
        QTest::addColumn<QString>("answers");   // zoom pan rotate tap press-and-tap
        QTest::newRow("horizontal pan only") << "h"
                                             << "0 4 0 0 0";
        QTest::newRow("vertical, gutter, inertia") << "vgi"
                                                   << "0 26 0 0 0";
        QTest::newRow("each other kind: All") << "zrta"
                                              << "1 0 1 1 1";
    }
    void emitterAnswers() {
        QFETCH(QString, switches);
        QFETCH(QString, answers);
        Gesture::Emitter emitter;
        SetSwitches(emitter, switches);
        Gesture::Consumer& consumer = emitter;
        const QString got = QString("%1 %2 %3 %4 %5")
                                .arg(consumer.WantGesture(Gesture::Zoom()))
                                .arg(consumer.WantGesture(Gesture::Pan()))
                                .arg(consumer.WantGesture(Gesture::Rotate()))
                                .arg(consumer.WantGesture(Gesture::Tap()))
                                .arg(consumer.WantGesture(Gesture::PressAndTap()));
        QCOMPARE(got, answers);
    }

    // Native messages through the router: the pan reaches the emitter by its signature string;
    // once the receiver (or its widget) is gone, the rest of the pan goes to default
    // processing without its handle being read or closed.
    void receiverDestroyedDuringPan_data() {
        QTest::addColumn<QString>("destroyed");
        QTest::addColumn<int>("pans");
        QTest::addColumn<bool>("moveHandled");
        QTest::newRow("nothing") << "" << 2 << true;
        QTest::newRow("its widget") << "widget" << 1 << false;
    }
    void receiverDestroyedDuringPan() {
        QFETCH(QString, destroyed);
        QFETCH(int, pans);
        QFETCH(bool, moveHandled);
        Tree tree;
        QPointer<Gesture::Emitter> emitter = new Gesture::Emitter(tree.inner);
        emitter->setVerticalPanEnabled(true);
        QSignalSpy spy(emitter.data(), SIGNAL(pan(Quorvel::App::Gesture::Pan const&)));
        FakeGestureApi api;
        TestRouter router(api);
        const QPoint at = tree.At("inner");
        Step step{Step::Notify, 0, 0, 0, std::int16_t(at.x()), std::int16_t(at.y())};
        long result = -1;
        QVERIFY(!router.nativeEvent({}, api.Message(0x011A, step), &result));
        QCOMPARE(api.configs.at(1).want, 0x3u);  // pan, vertical single finger
        step = {Step::Gesture, 4, 1, 0, step.x, step.y};
        QVERIFY(router.nativeEvent({}, api.Message(0x0119, step), &result));
        if (!destroyed.isEmpty()) delete tree.inner;
        step.flags = 0;
        QCOMPARE(router.nativeEvent({}, api.Message(0x0119, step), &result), moveHandled);
        QCOMPARE(api.infoReads, pans);
        QCOMPARE(api.closes, pans);
        if (emitter) {
            QCOMPARE(spy.count(), pans);
        }
    }
};

QUORVEL_TEST_MAIN(TestGestureDecoder)
#include "tst_GestureDecoder.moc"
