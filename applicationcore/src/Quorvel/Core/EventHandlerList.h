#pragma once

#include <Quorvel/Core/EventPublisher.h>
#include <Quorvel/Core/SyncExecutePolicy.h>

#include <boost/container/small_vector.hpp>

#include <algorithm>
#include <mutex>
#include <vector>

namespace Quorvel::Core {

/// The one observer mechanism of the library: raw observer pointers in registration order,
/// notified synchronously through the execution policy.
///
/// A notification works on a snapshot of the list, so observers may register and unregister
/// (themselves or others) while being notified: one registered now is called from the next
/// notification on, and one unregistered now is still called by this one if it comes later
/// in the snapshot. Both locks are recursive so that an observer may also notify again.
template <class Observer, class ExecutePolicy = SyncExecutePolicy>
class EventHandlerList : public virtual EventPublisher<Observer> {
public:
    void RegisterEventHandler(Observer* handler) override {
        if (!handler) {
            return;
        }
        std::lock_guard<std::recursive_mutex> lock(m_listMutex);
        if (std::find(m_handlers.begin(), m_handlers.end(), handler) == m_handlers.end()) {
            m_handlers.push_back(handler);
        }
    }

    void UnregisterEventHandler(Observer* handler) override {
        if (!handler) {
            return;
        }
        std::lock_guard<std::recursive_mutex> lock(m_listMutex);
        auto it = std::find(m_handlers.begin(), m_handlers.end(), handler);
        if (it != m_handlers.end()) {
            m_handlers.erase(it);
        }
    }

    /// Calls (observer->*method)(args...) on every observer of a snapshot, in order. An
    /// exception from an observer ends the notification and reaches the caller.
    ///
    /// The arguments are taken by value: an observer that changes the caller's variable (for
    /// example the member a setter was handed) must not change what later observers are told.
    template <class Method, class... Args>
    void Notify(Method method, Args... args) {
        // Lists are short; keeping the snapshot on the stack avoids an allocation per call.
        boost::container::small_vector<Observer*, 16> snapshot;
        {
            std::lock_guard<std::recursive_mutex> lock(m_listMutex);
            snapshot.assign(m_handlers.begin(), m_handlers.end());
        }
        std::lock_guard<std::recursive_mutex> lock(m_notifyMutex);
        for (Observer* handler : snapshot) {
            ExecutePolicy::Execute([&] { (handler->*method)(args...); });
        }
    }

private:
    std::vector<Observer*> m_handlers;
    std::recursive_mutex m_listMutex;
    std::recursive_mutex m_notifyMutex;
};

}  // namespace Quorvel::Core
