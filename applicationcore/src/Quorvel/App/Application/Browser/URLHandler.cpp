#include <Quorvel/App/Application/Browser/URLHandler.h>

#include <Quorvel/App/Application/Browser/PreferredBrowser.h>

#include <QDesktopServices>
#include <QProcess>

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
    const bool started = !path.isEmpty() && QProcess::startDetached(path, {url.toString()});
    if (!started) {
        // Called from inside the handler, Qt passes the link to the system's own handler
        // instead of coming back here.
        QDesktopServices::openUrl(url);
    }
}

}  // namespace Quorvel::App
