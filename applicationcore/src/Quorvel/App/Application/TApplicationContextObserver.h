#pragma once

#include <memory>

namespace Quorvel::App {

/// Told each time the service of type T in the application context is replaced.
template <class T>
class TApplicationContextObserver {
public:
    virtual ~TApplicationContextObserver() = default;
    /// Hears that the service of type T was replaced; either pointer may be empty.
    virtual void OnServiceChanged(const std::shared_ptr<T>& newValue,
                                  const std::shared_ptr<T>& oldValue) = 0;
};

}  // namespace Quorvel::App
