#pragma once

#include <Quorvel/App/Application/ILifetimeObserver.h>

namespace Quorvel::App {

/// Empty reactions, so that an observer overrides only what it needs.
class QUORVEL_APPLICATIONCORE_EXPORT LifetimeObserver : public virtual ILifetimeObserver {
public:
    void onStart() override {}
    void onTryToQuit(const std::function<void()>&) override {}
    void onQuit() override {}
};

}  // namespace Quorvel::App
