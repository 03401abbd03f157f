#pragma once

#include <Quorvel/App/Application/ServiceTypes.h>
#include <Quorvel/App/Application/TApplicationContextObservers.h>

#include <memory>

namespace Quorvel::App {

/// @cond INTERNAL
/// `Observers` with an empty reaction to each of the types T, Rest..., one level per type; the
/// using-declarations keep every reaction callable on the most derived level.
template <class Observers, class T, class... Rest>
class TEmptyContextReactions : public TEmptyContextReactions<Observers, Rest...> {
public:
    using TEmptyContextReactions<Observers, Rest...>::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<T>&, const std::shared_ptr<T>&) override {}
};

template <class Observers, class T>
class TEmptyContextReactions<Observers, T> : public Observers {
public:
    void OnServiceChanged(const std::shared_ptr<T>&, const std::shared_ptr<T>&) override {}
};

/// @endcond

/// TApplicationContextObservers\<T...\> with an empty reaction to each type.
template <class... T>
using TEmptyContextObservers = TEmptyContextReactions<TApplicationContextObservers<T...>, T...>;

/// Observes every service of the application context with empty reactions; concrete
/// observers override only the types they care about.
class TopManagerObserver : public OverServiceTypes<TEmptyContextObservers> {};

}  // namespace Quorvel::App
