#include <Quorvel/App/Application/Dialogs/OpenWindowWaiter.h>

#include "OpenWindowCheck.h"

#include <atomic>

namespace Quorvel::App {
namespace {

// 40 looks 300 ms apart: a product that shows nothing for about 12 seconds is not waited for.
constexpr int kLooks = 40;
constexpr unsigned long kPauseMilliseconds = 300;

std::atomic<bool> g_waiting{false};

}  // namespace

OpenWindowWaiter::OpenWindowWaiter() {
    moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, this, &OpenWindowWaiter::Wait);
    // Direct: the thread ends by itself, without a trip through the GUI thread's queue.
    connect(this, &OpenWindowWaiter::Finished, &m_thread, &QThread::quit, Qt::DirectConnection);
}

OpenWindowWaiter::~OpenWindowWaiter() {
    g_waiting = false;
    m_thread.quit();
    m_thread.wait();
}

void OpenWindowWaiter::Start() {
    g_waiting = true;
    m_thread.start(QThread::InheritPriority);
}

void OpenWindowWaiter::Wait() {
    for (int look = 0; look < kLooks && g_waiting; ++look) {
        Platform::CheckForOpenWindow(g_waiting);
        QThread::msleep(kPauseMilliseconds);
    }
    emit Finished();
}

}  // namespace Quorvel::App
