#pragma once

#include <Quorvel/App/Application/TApplicationContextObserver.h>

namespace Quorvel::App {

/// One object that can observe every service type of a context.
template <class... T>
class TApplicationContextObservers : public TApplicationContextObserver<T>... {};

}  // namespace Quorvel::App
