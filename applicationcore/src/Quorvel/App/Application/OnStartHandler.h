#pragma once

#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <functional>

namespace Quorvel::App {

/// A lifetime observer that runs one callback when the product has started.
class QUORVEL_APPLICATIONCORE_EXPORT OnStartHandler : public LifetimeObserver {
public:
    /// Calls `callback` from onStart().
    explicit OnStartHandler(std::function<void()> callback);
    ~OnStartHandler() override;

    void onStart() override;

private:
    std::function<void()> m_callback;
};

}  // namespace Quorvel::App
