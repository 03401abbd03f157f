#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>
#include <QThread>

namespace Quorvel::App {

/// Waits on a thread of its own until this process shows a visible top-level window, or about
/// 12 seconds at most, and then emits Finished() once; the thank-you page uses it to open only
/// once the product is on screen. Create, start and destroy it on the GUI thread, where
/// receivers get Finished() queued. The waiting flag is one for the whole process: a window
/// found, or any waiter destroyed, ends every running wait. The destructor blocks until this
/// waiter's thread has ended, which is within one pause of 300 ms.
class QUORVEL_APPLICATIONCORE_EXPORT OpenWindowWaiter : public QObject {
    Q_OBJECT
public:
    OpenWindowWaiter();
    ~OpenWindowWaiter() override;

    /// Starts the wait on the waiter's thread.
    void Start();

signals:
    /// Emitted once the wait is over.
    void Finished();

private:
    void Wait();

    QThread m_thread;
};

}  // namespace Quorvel::App
