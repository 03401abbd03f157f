#include <Quorvel/App/Application/Browser/URLHandler.h>

#include <Quorvel/App/Application/Browser/PreferredBrowser.h>

#include <QDesktopServices>
#include <QProcess>

#include "internal/UnopenedLinkLog.h"

namespace Quorvel::App {

URLHandler::URLHandler(QObject* parent, PreferredBrowser& browser)
    : QObject(parent), m_Browser(browser) {
    QDesktopServices::setUrlHandler("http", this, "OpenURLWithPreferredBrowser");
    QDesktopServices::setUrlHandler("https", this, "OpenURLWithPreferredBrowser");
}

URLHandler::~URLHandler() = default;

void URLHandler::OpenURLWithPreferredBrowser(const QUrl& url) {
    const QString path = m_Browser.Path();
    // The link is one argument of a process started directly, never a shell's command line.
    QProcess browser;
    browser.setProgram(path);
    browser.setArguments({url.toString()});
    if (!path.isEmpty() && browser.startDetached()) {
        return;
    }
    // Called from inside the handler, Qt passes the link to the system's own handler instead
    // of coming back here.
    const bool opened = QDesktopServices::openUrl(url);
    // A detached start reports no reason of its own when the program does not run.
    Internal::ReportUnopenedLink(url, path,
                                 browser.error() == QProcess::UnknownError
                                     ? QStringLiteral("the system cannot run it")
                                     : browser.errorString(),
                                 opened);
}

}  // namespace Quorvel::App
