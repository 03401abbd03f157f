#include <Quorvel/App/Appearance/DesktopAppearance.h>

#include "ColorSchemeSource.h"

namespace Quorvel::App {

struct DesktopAppearance::Impl {
    Scheme scheme = Scheme::NoPreference;
    std::unique_ptr<Platform::ColorSchemeSource> source;
};

DesktopAppearance::DesktopAppearance(QObject* parent)
    : QObject(parent), m_impl(std::make_unique<Impl>()) {
    qRegisterMetaType<Scheme>("Quorvel::App::DesktopAppearance::Scheme");
    m_impl->source = Platform::CreateColorSchemeSource([this](Scheme scheme) {
        if (scheme != m_impl->scheme) {
            m_impl->scheme = scheme;
            emit SchemeChanged(scheme);
        }
    });
}

DesktopAppearance::~DesktopAppearance() = default;

DesktopAppearance::Scheme DesktopAppearance::CurrentScheme() const { return m_impl->scheme; }

}  // namespace Quorvel::App
