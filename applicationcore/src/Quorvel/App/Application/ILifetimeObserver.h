#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <functional>

namespace Quorvel::App {

/// Hears when the product has started and when it quits, and may refuse a quit.
class QUORVEL_APPLICATIONCORE_EXPORT ILifetimeObserver {
public:
    virtual ~ILifetimeObserver() = default;
    /// The product has completed its start-up.
    virtual void onStart() = 0;
    /// A quit is being considered; calling `veto` refuses it.
    virtual void onTryToQuit(const std::function<void()>& veto) = 0;
    /// The quit has been decided.
    virtual void onQuit() = 0;
};

}  // namespace Quorvel::App
