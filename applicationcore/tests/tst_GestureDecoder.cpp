// The gesture decoder: its tables (shared with the mingw-w64 build that runs under wine),
// and its routing to the widgets' emitters.
#include "gesture/EmitterSwitches.h"
#include "gesture/GestureDecoderChecks.h"

#include <Quorvel/App/Application/Gesture/Emitter.h>
#include <Quorvel/App/Application/Gesture/Router.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using namespace GestureDecoderChecks;
using Quorvel::App::Gesture;

namespace {

// A widget that is a receiver itself: routing tests children only, never the widget touched.
class ConsumerWidget : public QWidget, public Gesture::Consumer {};

class TestRouter : public Gesture::Router {
public:
    explicit TestRouter(FakeGestureApi& api) : Router(api, nullptr) {}
};

// A product window's override compiles only with the toolkit's own signature.
struct ProductWindow : QWidget {
    bool nativeEvent(const QByteArray& type, void* message,
                     Quorvel::App::NativeEventResult* result) override {
        return router->nativeEvent(type, message, result);
    }
    Gesture::Router* router = nullptr;
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

    // "<receivers>|<touched>|<expected>": the widgets that get an emitter, in this order, each
    // named <widget>#<n>; the widget touched ("window": beside outer; none: beside the window).
    void routing_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("the touched widget's emitter") << "inner middle|inner|inner#0";
        QTest::newRow("the nearest ancestor with one") << "outer middle|inner|middle#1";
        QTest::newRow("two of one widget: the earliest child") << "inner inner|inner|inner#0";
        QTest::newRow("none in the chain") << "|inner|";
        QTest::newRow("a consumer widget is never tested itself") << "inner|window|";
        QTest::newRow("a point outside every widget") << "inner||";
    }
    void routing() {
        QFETCH(QString, script);
        const QStringList receivers = script.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
        const QString touched = script.section('|', 1, 1);
        Tree tree;
        for (int i = 0; i < receivers.size(); ++i) {
            auto* emitter = new Gesture::Emitter(tree.Named(receivers[i]));
            emitter->setObjectName(receivers[i] + "#" + QString::number(i));
        }
        const QPoint global = touched == "window" ? tree.At("window", {350, 200})
                              : touched.isEmpty() ? QPoint(2, 2)
                                                  : tree.At(touched);
        Gesture gesture;
        gesture.globalPos = {global.x(), global.y()};
        FakeGestureApi api;
        Gesture::Consumer* routed = TestRouter(api).Route(gesture);
        QCOMPARE(routed ? dynamic_cast<QObject*>(routed)->objectName() : QString(),
                 script.section('|', 2));
    }

    // By the emitter's switches (see SetSwitches), its answers to zoom, pan, rotate, tap and
    // press and tap.
    void emitterAnswers() {
        for (const auto& [switches, answers] : {std::pair<QString, QString>{"h", "0 4 0 0 0"},
                                                {"vgi", "0 26 0 0 0"},
                                                {"zrta", "1 0 1 1 1"}}) {
            Gesture::Emitter emitter;
            SetSwitches(emitter, switches);
            Gesture::Consumer& c = emitter;
            QCOMPARE(QString("%1 %2 %3 %4 %5")
                         .arg(c.WantGesture(Gesture::Zoom()))
                         .arg(c.WantGesture(Gesture::Pan()))
                         .arg(c.WantGesture(Gesture::Rotate()))
                         .arg(c.WantGesture(Gesture::Tap()))
                         .arg(c.WantGesture(Gesture::PressAndTap())),
                     answers);
        }
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
        Tree tree;
        QPointer<Gesture::Emitter> emitter = new Gesture::Emitter(tree.inner);
        emitter->setVerticalPanEnabled(true);
        QSignalSpy spy(emitter.data(), SIGNAL(pan(Quorvel::App::Gesture::Pan const&)));
        FakeGestureApi api;
        TestRouter router(api);
        ProductWindow product;
        product.router = &router;
        const QPoint at = tree.At("inner");
        Step step{Step::Notify, 0, 0, 0, std::int16_t(at.x()), std::int16_t(at.y())};
        Quorvel::App::NativeEventResult result = -1;
        QVERIFY(!product.nativeEvent({}, api.Message(0x011A, step), &result));
        QCOMPARE(api.configs.at(1).want, 0x3u);  // pan, vertical single finger
        step = {Step::Gesture, 4, 1, 0, step.x, step.y};
        QVERIFY(product.nativeEvent({}, api.Message(0x0119, step), &result));
        if (!destroyed.isEmpty()) delete tree.inner;
        step.flags = 0;
        QTEST(product.nativeEvent({}, api.Message(0x0119, step), &result), "moveHandled");
        QCOMPARE(api.infoReads, pans);
        QCOMPARE(api.closes, pans);
        if (emitter) {
            QCOMPARE(spy.count(), pans);
        }
    }
};

QUORVEL_TEST_MAIN(TestGestureDecoder)
#include "tst_GestureDecoder.moc"
