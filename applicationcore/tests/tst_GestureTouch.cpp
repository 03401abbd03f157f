#include "gesture/EmitterSwitches.h"

#include <Quorvel/App/Application/Gesture/TouchSource.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using Quorvel::App::Gesture;

class TestGestureTouch : public QObject {
    Q_OBJECT

private slots:
    // "<switches> <steps> = <expected>": the emitter's switches (see SetSwitches); steps apart
    // by "|", each one touch event: p/m/r<finger>:<x>,<y> presses, moves
    // or lifts a finger at a point of the receiving widget (a finger that stays down is given
    // again, as the system reports every finger down in each event); "w<ms>" waits; "x" destroys
    // the receiving widget. The expected records, positions in the window's client area (the
    // widget starts at (50, 40)); "..." at the end: gliding follows, ending the pan.
    void gestures_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("one finger pans: begin where it touched, moves, end")
            << "hv p0:20,20|m0:20,60|m0:30,100|r0:30,100 = pan+ 70,60; pan 70,100; pan 80,140; "
               "pan- 80,140";
        QTest::newRow("vertical only: a sideways drag pans nothing")
            << "v p0:20,20|m0:80,22|r0:80,22 = ";
        QTest::newRow("vertical only: a slanting drag pans vertically")
            << "v p0:20,20|m0:60,80|r0:60,80 = pan+ 70,60; pan 70,120; pan- 70,120";
        QTest::newRow("gutter: the first axis until the finger leaves it")
            << "hvg p0:20,20|m0:22,60|m0:40,100|m0:80,120|r0:80,120 = pan+ 70,60; pan 70,100; pan "
               "70,140; pan 130,160; pan- 130,160";
        QTest::newRow("inertia: the pan glides on and ends by itself")
            << "vi p0:20,20|m0:20,60|r0:20,100 = pan+ 70,60; pan 70,100; pan 70,140; ...";
        QTest::newRow("two fingers spreading zoom")
            << "zr p0:100,100 p1:140,100|m0:80,100 m1:160,100|r0:80,100 r1:160,100 = zoom+ 170,140 "
               "40>40; zoom 170,140 40>80; zoom- 170,140 40>80";
        QTest::newRow("two fingers turning rotate")
            << "zr p0:100,100 p1:200,100|m0:150,50 m1:150,150|r0:150,50 r1:150,150 = rotate+ "
               "200,140 0.00; rotate 200,140 -1.57; rotate- 200,140 -1.57";
        QTest::newRow("a quick two-finger touch taps")
            << "t p0:100,100 p1:140,100|r0:100,100 r1:140,100 = tap+- 170,140 d40";
        QTest::newRow("a finger held while another taps")
            << "a p0:100,100|w200|p1:160,120 m0:100,100|r1:160,120 m0:100,100|r0:100,100 = pat+- "
               "150,140 > 210,160";
        QTest::newRow("a receiver that wants no pans gets none")
            << "zrta p0:20,20|m0:20,60|r0:20,60 = ";
        QTest::newRow("the widget destroyed during a pan: nothing more")
            << "hv p0:20,20|m0:20,60|x|m0:20,100|r0:20,100 = pan+ 70,60; pan 70,100";
    }
    void gestures() {
        QFETCH(QString, script);
        const QString switches = script.section(' ', 0, 0);
        const QString expected = script.section(" = ", 1);
        static auto* device = QTest::createTouchDevice();  // a QPointingDevice in Qt 6
        QWidget window;
        window.setGeometry(100, 100, 400, 300);
        QPointer<QWidget> area = new QWidget(&window);
        area->setGeometry(50, 40, 300, 200);
        new Gesture::TouchSource(&window);
        auto* emitter = new Gesture::Emitter(area);
        SetSwitches(*emitter, switches);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Each record is kind, begin/end flags, position and the kind's own values.
        QStringList records;
        const QPoint origin = window.mapToGlobal(QPoint());
        const auto note = [&](const Gesture& g, const char* kind, const QString& values) {
            const bool screen =
                g.globalPos.x - g.pos.x == origin.x() && g.globalPos.y - g.pos.y == origin.y();
            records << QString("%1%2%3 %4,%5%6%7")
                           .arg(kind, g.begin ? "+" : "", g.end ? "-" : "")
                           .arg(g.pos.x)
                           .arg(g.pos.y)
                           .arg(values, screen ? "" : " (globalPos is not pos on the screen)");
        };
        using E = Gesture::Emitter;
        connect(emitter, &E::pan,
                [&](const Gesture::Pan& g) { note(g, "pan", g.inertia ? " i" : ""); });
        connect(emitter, &E::zoom, [&](const Gesture::Zoom& g) {
            note(g, "zoom", QString(" %1>%2").arg(g.startDistance).arg(g.distance));
        });
        connect(emitter, &E::rotate, [&](const Gesture::Rotate& g) {
            note(g, "rotate", QString(" %1").arg(g.angle, 0, 'f', 2));
        });
        connect(emitter, &E::tap,
                [&](const Gesture::Tap& g) { note(g, "tap", QString(" d%1").arg(g.distance)); });
        connect(emitter, &E::pressAndTap, [&](const Gesture::PressAndTap& g) {
            note(g, "pat", QString(" > %1,%2").arg(g.secondPos.x).arg(g.secondPos.y));
        });

        const QPoint areaOrigin = area->pos();
        for (const QString& step : script.section(" = ", 0, 0).section(' ', 1).split('|')) {
            if (step.startsWith('w')) {
                QTest::qWait(step.mid(1).toInt());
                continue;
            }
            if (step == "x") {
                delete area;
                continue;
            }
            auto touch = QTest::touchEvent(&window, device);
            for (const QString& token : step.split(' ')) {
                const int finger = token.mid(1, 1).toInt();
                const QPoint at =
                    areaOrigin + QPoint(token.section(':', 1).section(',', 0, 0).toInt(),
                                        token.section(',', 1).toInt());
                if (token[0] == 'p') {
                    touch.press(finger, at, &window);
                } else if (token[0] == 'm') {
                    touch.move(finger, at, &window);
                } else {
                    touch.release(finger, at, &window);
                }
            }
        }
        if (expected.endsWith("...")) {
            QTRY_VERIFY(!records.isEmpty() && records.last().startsWith("pan-") &&
                        records.last().endsWith(" i"));
            QVERIFY(records.size() > 5);
            QVERIFY(records.join("; ").startsWith(expected.chopped(3)));
        } else {
            QCOMPARE(records.join("; "), expected);
        }
    }
};

QUORVEL_TEST_MAIN(TestGestureTouch)
#include "tst_GestureTouch.moc"
