#pragma once

#include <Quorvel/App/Application/TApplicationContextObservers.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/Core/EventPublisher.h>

#include <boost/any.hpp>

#include <list>
#include <memory>

namespace Quorvel::App {

/// A registry holding at most one shared service per interface type, whose observers hear of
/// every replacement with the new and the old value.
///
/// Entries are type-erased and found by their type; type identity is compared by the
/// decorated type name, so a service stored by the product's executable is found by a
/// library and the reverse. Get and Set run on the GUI thread and take no lock.
template <class... T>
class IApplicationContext
    : public virtual Quorvel::Core::EventPublisher<TApplicationContextObservers<T...>> {
public:
    /// The observer interface of this context: one OnServiceChanged per service type.
    /// @{
    using Observers = TApplicationContextObservers<T...>;
    /// @}

    /// Adds an observer (not owned; null and repeats are ignored); it must unregister before it is
    /// destroyed.
    void RegisterEventHandler(Observers* observer) override {
        m_observers.RegisterEventHandler(observer);
    }
    /// Removes an observer; one that is not registered is ignored.
    void UnregisterEventHandler(Observers* observer) override {
        m_observers.UnregisterEventHandler(observer);
    }
    ~IApplicationContext() override = default;

    template <class S>
    /// The service stored for the interface `S`, or an empty pointer.
    std::shared_ptr<S> Get() const {
        for (const boost::any& element : m_services) {
            if (auto* service = boost::any_cast<std::shared_ptr<S>>(&element)) {
                return *service;
            }
        }
        return {};
    }

    template <class S>
    /// Stores `value` (may be empty) for the interface `S`; when it differs from the one before,
    /// every observer hears of it with the new and the old value.
    void Set(const std::shared_ptr<S>& value) {
        const std::shared_ptr<S> old = Get<S>();
        if (old == value) {
            return;
        }
        for (auto it = m_services.begin(); it != m_services.end(); ++it) {
            if (boost::any_cast<std::shared_ptr<S>>(&*it)) {
                m_services.erase(it);
                break;
            }
        }
        m_services.emplace_back(value);
        m_observers.Notify(&TApplicationContextObserver<S>::OnServiceChanged, value, old);
    }

private:
    /// Members are destroyed in reverse order: the observer list goes before the services.
    std::list<boost::any> m_services;
    Quorvel::Core::EventHandlerList<Observers> m_observers;
};

}  // namespace Quorvel::App
