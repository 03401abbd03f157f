#include "posix/PortalSchemeValue.h"

#include <QDBusArgument>
#include <QDBusVariant>

namespace Quorvel::App::Platform {

PortalSchemeValue ReadPortalSchemeValue(const QVariant& value) {
    QVariant inner = value;
    // Read wraps the value twice; a portal that nests deeper is not one we understand.
    for (int depth = 0; depth < 2 && inner.userType() == qMetaTypeId<QDBusVariant>(); ++depth) {
        inner = inner.value<QDBusVariant>().variant();
    }
    if (inner.userType() != QMetaType::UInt) {
        const QString type =
            inner.userType() == qMetaTypeId<QDBusVariant>()
                ? QStringLiteral("a variant nested more than twice")
            : inner.userType() == qMetaTypeId<QDBusArgument>()
                ? QString::fromLatin1(inner.value<QDBusArgument>().currentSignature().toLatin1())
                : QString::fromLatin1(inner.typeName());
        return {std::nullopt, "a value of type " + type + " instead of a uint32"};
    }
    switch (inner.toUInt()) {
        case 0:
            return {DesktopAppearance::Scheme::NoPreference, {}};
        case 1:
            return {DesktopAppearance::Scheme::Dark, {}};
        case 2:
            return {DesktopAppearance::Scheme::Light, {}};
        default:
            return {std::nullopt, "the value " + QString::number(inner.toUInt()) +
                                      ", which is none of 0, 1 and 2"};
    }
}

}  // namespace Quorvel::App::Platform
