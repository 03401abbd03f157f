#pragma once

namespace Quorvel::Core {

/// Where observers of one kind register. Lists never own their observers.
template <class Observer>
class EventPublisher {
public:
    virtual void RegisterEventHandler(Observer* handler) = 0;
    virtual void UnregisterEventHandler(Observer* handler) = 0;
    virtual ~EventPublisher() = default;
};

}  // namespace Quorvel::Core
