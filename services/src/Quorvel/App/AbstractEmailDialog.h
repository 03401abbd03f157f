#pragma once

#include <Quorvel/ServicesExport.h>

namespace Quorvel::App {

/// The dialog that offers the user to leave an e-mail address (made by EmailDialogCreator).
/// Owned by whoever asked for it; GUI thread only.
class QUORVEL_SERVICES_EXPORT AbstractEmailDialog {
public:
    virtual ~AbstractEmailDialog() = default;
    /// Shows the dialog modally and returns once the user has closed it. A confirmed address
    /// is in the mail settings by then, with "isConfirmed" = "1"; anything else leaves them
    /// as they were.
    virtual void Run() = 0;
};

}  // namespace Quorvel::App
