#pragma once

#include <Quorvel/App/AbstractEmailDialog.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ISettingsManager.h>
#include <Quorvel/ServicesExport.h>

#include <memory>

class QWidget;

namespace Quorvel::App {

/// Makes the e-mail dialog: an address field that lets only an address through, a consent
/// check box, a link to the privacy policy (the links manager's "PRIVACY_POLICY_URL"), and
/// Confirm and Not now. Confirm is possible only with an address and consent given; it
/// stores the address under "Email" and "isConfirmed" = "1" in the given settings.
class QUORVEL_SERVICES_EXPORT EmailDialogCreator {
public:
    /// Empty, with a WARNING naming the reason, when a service is missing or when no widget
    /// can be made here (no QApplication, or not on its thread).
    std::unique_ptr<AbstractEmailDialog> Create(std::shared_ptr<ISettingsManager> settings,
                                                std::shared_ptr<ILinksManager> links,
                                                QWidget* parent);
};

}  // namespace Quorvel::App
