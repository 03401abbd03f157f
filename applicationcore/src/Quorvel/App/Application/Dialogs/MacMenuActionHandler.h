#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>

#include <functional>

class QMenuBar;
class QWidget;

namespace Quorvel::App {

/// Wires the standard entries of a menu bar's application menu ("menuMacOSMenu": hide, hide
/// others, preferences, quit) and window menu ("menuWindow": minimize, zoom, bring all to
/// front) to their actions and shortcuts, found by the object names the product's menu design
/// gives them. Menus must be descendants of the menu bar; whatever is missing is skipped.
/// Minimize and zoom act on the active window when `filter` allows it (no filter: always).
/// A child of the menu bar, on the GUI thread.
class QUORVEL_APPLICATIONCORE_EXPORT MacMenuActionHandler : public QObject {
    Q_OBJECT
public:
    /// Watches `menuBar` (not owned) for the window-menu entries; `filter` chooses the windows
    /// listed.
    MacMenuActionHandler(QMenuBar* menuBar, std::function<bool(QWidget*)> filter);

private:
    virtual bool canManipulateWithWidget(QWidget* widget);

private slots:
    void onHideItself();
    void onHideOthers();
    void onMinimize();
    void onZoom();
    void onBringAllToFront();

private:
    std::function<bool(QWidget*)> m_filter;
};

}  // namespace Quorvel::App
