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
    using Observers = TApplicationContextObservers<T...>;

    void RegisterEventHandler(Observers* observer) override {
        m_observers.RegisterEventHandler(observer);
    }
    void UnregisterEventHandler(Observers* observer) override {
        m_observers.UnregisterEventHandler(observer);
    }
    ~IApplicationContext() override = default;

    template <class S>
    std::shared_ptr<S> Get() const {
        for (const boost::any& element : m_services) {
            if (auto* service = boost::any_cast<std::shared_ptr<S>>(&element)) {
                return *service;
            }
        }
        return {};
    }

    template <class S>
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
