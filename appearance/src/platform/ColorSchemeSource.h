#pragma once

// Private to the appearance library; not installed.

#include <Quorvel/App/Appearance/DesktopAppearance.h>

#include <functional>
#include <memory>

namespace Quorvel::App::Platform {

// The platform's report of the desktop's colour scheme. It calls the listener on the GUI
// thread with each scheme it learns, the first one included, possibly with the same scheme
// twice; it never blocks, and says once in the log why it cannot tell.
class ColorSchemeSource {
public:
    using Listener = std::function<void(DesktopAppearance::Scheme)>;
    virtual ~ColorSchemeSource() = default;
};

std::unique_ptr<ColorSchemeSource> CreateColorSchemeSource(ColorSchemeSource::Listener listener);

}  // namespace Quorvel::App::Platform
