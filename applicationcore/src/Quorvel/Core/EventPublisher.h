#pragma once

namespace Quorvel::Core {

/// Where observers of one kind register. Lists never own their observers.
template <class Observer>
class EventPublisher {
public:
    /// Adds `handler` (not owned) at the end of the list; null and repeats are ignored.
    virtual void RegisterEventHandler(Observer* handler) = 0;
    /// Removes `handler`; one that is not in the list is ignored. Safe during a notification.
    virtual void UnregisterEventHandler(Observer* handler) = 0;
    virtual ~EventPublisher() = default;
};

}  // namespace Quorvel::Core
