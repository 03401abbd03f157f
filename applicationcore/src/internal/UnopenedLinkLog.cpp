#include "internal/UnopenedLinkLog.h"
#include <Quorvel/Reading/LogText.h>

#include <glog/logging.h>

namespace Quorvel::App::Internal {

void ReportUnopenedLink(const QUrl& url, const QString& browser, const QString& why,
                        bool openedBySystem) {
    const std::string link = Reading::LogText(url.toDisplayString());
    if (!browser.isEmpty()) {
        LOG(WARNING) << "The browser [" << Reading::LogText(browser) << "] could not be started ("
                     << Reading::LogText(why) << "); the link " << link
                     << (openedBySystem ? " went to the system's handler"
                                        : " was refused by the system's handler too");
    } else if (!openedBySystem) {
        LOG(WARNING) << "No browser took the link " << link
                     << ": no preferred browser was found and the system's handler refused it";
    }
}

}  // namespace Quorvel::App::Internal
