// The gesture hot paths, each beside a baseline in the same run:
//
//   - decoding one pan message (WM_GESTURE) through an injected gesture API, against the calls
//     of that API alone;
//   - Gesture::Router::Route over a widget tree six levels deep whose only receiver is a child
//     of the top-level window (the longest walk), against QApplication::widgetAt alone, which
//     Route calls first (target: at most 1.5 times).
//
// Default mode runs Google Benchmark and prints the wall-time ratios. Counting mode
// (--count=<case> --events=N) runs one case's operation exactly N times for callgrind, as
// run_benchmarks.sh drives it.

#include <Quorvel/App/Application/Gesture/Emitter.h>
#include <Quorvel/App/Application/Gesture/Router.h>

#include "CountingLoop.h"
#include "GestureApi.h"
#include "RatioReport.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

// Outside an anonymous namespace, so that callgrind can collect Repeat alone by its name.
namespace QuorvelBench {

using Quorvel::App::Gesture;
namespace Platform = Quorvel::App::Platform;

// Every pan message carries the same information; the client area starts at (10, 20).
class PanApi final : public Platform::GestureApi {
public:
    bool ScreenToClient(void*, Platform::NativePoint* point) override {
        point->x -= 10;
        point->y -= 20;
        return true;
    }
    bool SetGestureConfig(void*, std::uint32_t, std::uint32_t, Platform::GestureConfig*,
                          std::uint32_t) override {
        return true;
    }
    bool GetGestureInfo(void*, Platform::GestureInfo* info) override {
        info->id = 4;
        info->location = {110, 220};
        info->arguments = 0x0001FFFF00000000u;
        return true;
    }
    bool CloseGestureInfoHandle(void*) override { return true; }
    void* GetParent(void*) override { return nullptr; }
    std::intptr_t DefWindowProcW(void*, std::uint32_t, std::uintptr_t, std::intptr_t) override {
        return 0;
    }
};

class QuietConsumer final : public Gesture::Consumer {
public:
    void OnGesture(const Gesture::Pan& pan) override { benchmark::DoNotOptimize(pan.pos); }
    int WantGesture(const Gesture::Pan&) override { return Gesture::All; }
};

class PanDecoder final : public Gesture::Producer {
public:
    explicit PanDecoder(Platform::GestureApi& api) : Producer(api) {
        Platform::GestureNotify notify;
        Decode(Platform::kWmGestureNotify, &notify);
        m_message.message = Platform::kWmGesture;
    }
    Gesture::Consumer* Route(const Gesture&) override { return &m_consumer; }
    bool Decode() {
        std::intptr_t result = 0;
        return OnNativeMessage(&m_message, &result);
    }

private:
    bool Decode(std::uint32_t message, void* lParam) {
        m_message.message = message;
        m_message.lParam = reinterpret_cast<std::intptr_t>(lParam);
        std::intptr_t result = 0;
        return OnNativeMessage(&m_message, &result);
    }

    QuietConsumer m_consumer;
    Platform::NativeMessage m_message;
};

class DecodePanCase {
public:
    void operator()() { benchmark::DoNotOptimize(m_decoder.Decode()); }

private:
    PanApi m_api;
    PanDecoder m_decoder{m_api};
};

// What decoding cannot avoid: the API calls a pan message needs, through the same interface.
class PanApiCallsCase {
public:
    void operator()() {
        Platform::GestureInfo info;
        info.size = sizeof info;
        benchmark::DoNotOptimize(m_api->GetGestureInfo(nullptr, &info));
        Platform::NativePoint point{info.location.x, info.location.y};
        benchmark::DoNotOptimize(m_api->ScreenToClient(nullptr, &point));
        benchmark::DoNotOptimize(m_api->CloseGestureInfoHandle(nullptr));
    }

private:
    PanApi m_concrete;
    Platform::GestureApi* m_api = &m_concrete;
};

// A top-level window and five nested levels below it, each beside a sibling off the point;
// the receiver is the window's last child.
class WidgetTree {
public:
    WidgetTree() {
        m_window.setGeometry(100, 100, 400, 400);
        QWidget* level = &m_window;
        for (int depth = 1; depth < 6; ++depth) {
            (new QWidget(level))->setGeometry(0, 0, 5, 5);
            level = new QWidget(level);
            level->setGeometry(10, 10, 380 - 20 * depth, 380 - 20 * depth);
        }
        new Gesture::Emitter(&m_window);
        m_window.show();
        QApplication::processEvents();
        m_point = level->mapToGlobal(QPoint(20, 20));
        m_gesture.globalPos = {m_point.x(), m_point.y()};
        if (QApplication::widgetAt(m_point) != level || !m_router.Route(m_gesture)) {
            std::cerr << "the tree is not under the point\n";
            std::abort();
        }
    }

protected:
    QWidget m_window;
    QPoint m_point;
    Gesture m_gesture;
    Gesture::Router m_router;
};

class RouteCase : WidgetTree {
public:
    void operator()() { benchmark::DoNotOptimize(m_router.Route(m_gesture)); }
};

class WidgetAtCase : WidgetTree {
public:
    void operator()() { benchmark::DoNotOptimize(QApplication::widgetAt(m_point)); }
};

const CountedCase kCountCases[] = {
    {"gesture-decode-pan", &Count<DecodePanCase>},
    {"gesture-api-calls", &Count<PanApiCallsCase>},
    {"gesture-route", &Count<RouteCase>},
    {"gesture-widgetat", &Count<WidgetAtCase>},
    {"empty", &Count<EmptyCase>},
};

const RatioPair kPairs[] = {
    {"decoding one pan message / its gesture API calls", "Gesture/decode_pan",
     "Gesture/baseline_api_calls"},
    {"Route / QApplication::widgetAt (six levels)", "Gesture/route_six_levels",
     "Gesture/baseline_widgetAt", 1.5},
};

}  // namespace QuorvelBench

int main(int argc, char** argv) {
    using namespace QuorvelBench;
    QApplication app(argc, argv);
    if (const auto status = CountIfAsked(argc, argv, kCountCases)) {
        return *status;
    }

    return RunAndPrintRatios(argc, argv,
                             {{"Gesture/decode_pan", &Measure<DecodePanCase>},
                              {"Gesture/baseline_api_calls", &Measure<PanApiCallsCase>},
                              {"Gesture/route_six_levels", &Measure<RouteCase>},
                              {"Gesture/baseline_widgetAt", &Measure<WidgetAtCase>}},
                             kPairs, 1e9, "ns");
}
