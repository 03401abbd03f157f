#pragma once

#include <Quorvel/AppearanceExport.h>

#include <QObject>

#include <memory>

namespace Quorvel::App {

/// What the desktop says about light and dark: on Linux the desktop portal's colour scheme
/// (or Qt's own report where Qt has one), on Windows the user's app mode in the registry.
/// The first answer may come after the constructor returns; until then, and wherever the
/// desktop cannot tell, the scheme is NoPreference. Lives on the GUI thread; the product owns it.
class QUORVEL_APPEARANCE_EXPORT DesktopAppearance : public QObject {
    Q_OBJECT
public:
    /// The desktop's colour preference.
    enum class Scheme { NoPreference, Light, Dark };
    Q_ENUM(Scheme)

    /// Starts asking the desktop without waiting for its answer; without a session bus, a
    /// portal or a readable registry value, one INFO line says why and the scheme stays
    /// NoPreference.
    explicit DesktopAppearance(QObject* parent = nullptr);
    ~DesktopAppearance() override;

    /// The preference as last heard from the desktop.
    Scheme CurrentScheme() const;

signals:
    /// Emitted once per change of the desktop's preference, on the GUI thread.
    void SchemeChanged(Quorvel::App::DesktopAppearance::Scheme scheme);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
