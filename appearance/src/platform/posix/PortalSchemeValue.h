#pragma once

// Private to the appearance library; not installed.

#include <Quorvel/App/Appearance/DesktopAppearance.h>

#include <QString>
#include <QVariant>

#include <optional>

namespace Quorvel::App::Platform {

// The portal's "color-scheme" value: a uint32, 0 no preference, 1 dark, 2 light, inside one
// variant (SettingChanged) or two (Read). Anything else is refused, saying what it was.
struct PortalSchemeValue {
    std::optional<DesktopAppearance::Scheme> scheme;
    QString problem;  // why there is no scheme
};

PortalSchemeValue ReadPortalSchemeValue(const QVariant& value);

}  // namespace Quorvel::App::Platform
