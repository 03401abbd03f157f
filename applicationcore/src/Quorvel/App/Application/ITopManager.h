#pragma once

#include <Quorvel/App/Application/IApplicationContext.h>
#include <Quorvel/App/Application/ServiceTypes.h>
#include <Quorvel/ApplicationCoreExport.h>

namespace Quorvel::App {

/// The application's context over the fixed list of service types.
class QUORVEL_APPLICATIONCORE_EXPORT ITopManager : public OverServiceTypes<IApplicationContext> {
public:
    ~ITopManager() override = default;
};

}  // namespace Quorvel::App
