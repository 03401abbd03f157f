#include <Quorvel/App/Application/GraphicsSwitches.h>
#include <Quorvel/App/Application/GraphicsSwitchesDetail.h>

#include <Quorvel/Core/DyLib.h>
#include <Quorvel/ioPath.h>

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>

namespace Quorvel::App {

namespace {

// HRESULT SetProcessDpiAwareness(PROCESS_DPI_AWARENESS)
#ifdef _WIN32
using SetProcessDpiAwarenessFunction = long(__stdcall*)(int);
#else
using SetProcessDpiAwarenessFunction = long (*)(int);
#endif

constexpr int kProcessDpiUnaware = 0;

}  // namespace

void Detail::HighDpiFix(const std::string& library, const char* entry) {
    // Only the exact value counts: support staff set it by hand, and anything else is a typo
    // that must not silently change scaling.
    if (const char* policy = std::getenv("QUORVEL_DPI_POLICY");
        policy && std::strcmp(policy, "NOSCALE") == 0) {
        return;
    }

    Quorvel::Core::DyLib shcore;
    void* address = shcore.Open(Quorvel::ioPath(library)) ? shcore.GetProc(entry) : nullptr;
    if (address) {
        SetProcessDpiAwarenessFunction setAwareness = nullptr;
        static_assert(sizeof setAwareness == sizeof address);
        std::memcpy(&setAwareness, &address, sizeof setAwareness);
        // The result does not matter: a process whose awareness was already fixed (by its
        // manifest, say) keeps it, which is what the product asked for in the first place.
        setAwareness(kProcessDpiUnaware);
        return;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales and has no attribute for it; what the attribute also gave under Qt 5
    // is whole scale factors. A rounding policy the product chose itself is kept.
    if (QGuiApplication::highDpiScaleFactorRoundingPolicy() ==
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough) {
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            Qt::HighDpiScaleFactorRoundingPolicy::Round);
    }
#else
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
#endif
}

void HighDpiFix() { Detail::HighDpiFix("Shcore.dll", "SetProcessDpiAwareness"); }

void UseDesktopOpenGL() { QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL, true); }

}  // namespace Quorvel::App
