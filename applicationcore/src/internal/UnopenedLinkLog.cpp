#include "internal/UnopenedLinkLog.h"

#include <glog/logging.h>

namespace Quorvel::App::Internal {

void ReportUnopenedLink(const QUrl& url, const QString& browser, const QString& why,
                        bool openedBySystem) {
    const std::string link = url.toDisplayString().toStdString();
    if (!browser.isEmpty()) {
        LOG(WARNING) << "The browser [" << browser.toStdString() << "] could not be started ("
                     << why.toStdString() << "); the link " << link
                     << (openedBySystem ? " went to the system's handler"
                                        : " was refused by the system's handler too");
    } else if (!openedBySystem) {
        LOG(WARNING) << "No browser took the link " << link
                     << ": no preferred browser was found and the system's handler refused it";
    }
}

}  // namespace Quorvel::App::Internal
