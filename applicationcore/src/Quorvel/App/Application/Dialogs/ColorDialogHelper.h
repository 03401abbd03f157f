#pragma once

#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

namespace Quorvel::App {

/// Keeps the custom colours of QColorDialog from one run to the next: construction loads them
/// from the application settings, destruction stores them (opaque, as "#rrggbb") under the group
/// "Quorvel::App::ColorDialogHelper". The product keeps one alive for as long as the colours are
/// to be tracked, typically as long as its main window; GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT ColorDialogHelper {
public:
    /// `settings` keeps the custom colours; throws std::logic_error when it is empty.
    explicit ColorDialogHelper(const std::shared_ptr<IApplicationSettingsManager>& settings);
    /// Shares the settings and loads nothing; the copy saves again when it is destroyed.
    ColorDialogHelper(const ColorDialogHelper& other);
    ColorDialogHelper& operator=(const ColorDialogHelper&) = delete;
    virtual ~ColorDialogHelper();

private:
    std::shared_ptr<IApplicationSettingsManager> m_settings;
};

}  // namespace Quorvel::App
