#pragma once

// Private to the appearance library; not installed. Qt 6.5 and later only.

#include "ColorSchemeSource.h"

#include <QGuiApplication>
#include <QObject>
#include <QStyleHints>

#include <glog/logging.h>

namespace Quorvel::App::Platform {

// Qt's own report of the desktop's colour scheme.
class StyleHintsColorScheme : public QObject, public ColorSchemeSource {
public:
    explicit StyleHintsColorScheme(Listener listener) : m_listener(std::move(listener)) {
        QStyleHints* hints = QGuiApplication::styleHints();
        connect(hints, &QStyleHints::colorSchemeChanged, this,
                [this](Qt::ColorScheme scheme) { m_listener(From(scheme)); });
        if (hints->colorScheme() == Qt::ColorScheme::Unknown) {
            LOG(INFO) << "The desktop's colour preference is not known: Qt cannot tell it; "
                         "following no preference";
        }
        m_listener(From(hints->colorScheme()));
    }

private:
    static DesktopAppearance::Scheme From(Qt::ColorScheme scheme) {
        switch (scheme) {
            case Qt::ColorScheme::Dark:
                return DesktopAppearance::Scheme::Dark;
            case Qt::ColorScheme::Light:
                return DesktopAppearance::Scheme::Light;
            default:
                return DesktopAppearance::Scheme::NoPreference;
        }
    }

    Listener m_listener;
};

}  // namespace Quorvel::App::Platform
