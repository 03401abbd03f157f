#pragma once

#include <Quorvel/App/Application/Extensions/IExtension.h>
#include <Quorvel/ApplicationCoreExport.h>

namespace Quorvel::App {

/// Base of the library's extensions; an extension with nothing to do at start inherits the
/// empty onStart.
class QUORVEL_APPLICATIONCORE_EXPORT Extension : public virtual IExtension {
public:
    ~Extension() override;
    void onStart() override;
};

}  // namespace Quorvel::App
