#include "ColorSchemeSource.h"

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#include "StyleHintsColorScheme.h"
#else
#include "posix/PortalColorScheme.h"
#endif

namespace Quorvel::App::Platform {

std::unique_ptr<ColorSchemeSource> CreateColorSchemeSource(ColorSchemeSource::Listener listener) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    // Qt asks the portal itself and knows more desktops than the portal covers.
    return std::make_unique<StyleHintsColorScheme>(std::move(listener));
#else
    return std::make_unique<PortalColorScheme>(std::move(listener));
#endif
}

}  // namespace Quorvel::App::Platform
