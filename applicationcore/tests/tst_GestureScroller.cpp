#include <Quorvel/App/Application/Gesture/Scroller.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>

using Quorvel::App::Gesture;

namespace {

// "h,v modes" of the area after a message: a value at its maximum (>0) is "max"; modes are
// P (pixel) or I (item) for an item view.
QString State(QAbstractScrollArea& area) {
    const auto value = [](QScrollBar* bar) {
        return bar->maximum() > 0 && bar->value() == bar->maximum() ? QString("max")
                                                                    : QString::number(bar->value());
    };
    QString text = value(area.horizontalScrollBar()) + "," + value(area.verticalScrollBar());
    if (auto* view = qobject_cast<QAbstractItemView*>(&area)) {
        for (auto mode : {view->horizontalScrollMode(), view->verticalScrollMode()}) {
            text += mode == QAbstractItemView::ScrollPerPixel ? "P" : "I";
        }
    }
    return text;
}

}  // namespace

class TestGestureScroller : public QObject {
    Q_OBJECT

private slots:
    // "<area> <bars' values before>|<pans>|<states after each>": a pan is "b" begin, "e" end,
    // then the position.
    void scrolling_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("plain area: the content follows the finger; begin and end move nothing")
            << "plain 50,50|b100,100 90,120 e80,130|50,50 60,30 60,30";
        QTest::newRow("item view: pixel-wise while the finger is down, its modes after")
            << "list 0,3|b0,100 0,90 e0,90|0,60PP 0,70PP 0,3II";
        QTest::newRow("item view: a bar at its end stays there")
            << "list 0,0|b0,0 0,-100000 e0,-100000|0,0PP 0,maxPP 0,maxII";
        QTest::newRow("item view, pixel-wise by itself: the value the restore left")
            << "pixel list 0,0|b0,0 0,-100000 e0,-100000|0,0PP 0,maxPP 0,maxPP";
        QTest::newRow("begin and end at once: modes saved and restored, nothing moves")
            << "list 0,3|be7,7|0,3II";
    }
    void scrolling() {
        QFETCH(QString, script);
        const QString area = script.section('|', 0, 0).section(' ', 0, -2);
        const QString start = script.section('|', 0, 0).section(' ', -1);
        std::unique_ptr<QAbstractScrollArea> scrolled;
        if (area.endsWith("list")) {
            auto* list = new QListWidget;
            for (int i = 0; i < 100; ++i) {
                list->addItem(QString("Item %1").arg(i));
                list->item(i)->setSizeHint({60, 20});
            }
            if (area == "pixel list") {
                list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
                list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
            }
            scrolled.reset(list);
        } else {
            auto* plain = new QScrollArea;
            auto* content = new QWidget;
            content->resize(1000, 1000);
            plain->setWidget(content);
            scrolled.reset(plain);
        }
        scrolled->resize(200, 155);
        scrolled->show();
        QVERIFY(QTest::qWaitForWindowExposed(scrolled.get()));
        auto* scroller = new Gesture::Scroller(scrolled.get());
        QCOMPARE(static_cast<Gesture::Consumer*>(scroller)->WantGesture(Gesture::Pan()), 30);
        scrolled->horizontalScrollBar()->setValue(start.section(',', 0, 0).toInt());
        scrolled->verticalScrollBar()->setValue(start.section(',', 1).toInt());

        QStringList states;
        for (QString step : script.section('|', 1, 1).split(' ')) {
            Gesture::Pan pan;
            pan.begin = step.startsWith('b');
            step.remove('b');
            pan.end = step.startsWith('e');
            step.remove('e');
            pan.pos = {step.section(',', 0, 0).toInt(), step.section(',', 1).toInt()};
            static_cast<Gesture::Consumer*>(scroller)->OnGesture(pan);
            states << State(*scrolled);
        }
        QCOMPARE(states.join(' '), script.section('|', 2));
    }
};

QUORVEL_TEST_MAIN(TestGestureScroller)
#include "tst_GestureScroller.moc"
