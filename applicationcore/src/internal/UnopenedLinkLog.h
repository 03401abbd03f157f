#pragma once

// Private to the core. Apart from the browser classes, which are also compiled for Windows
// against Qt's headers alone.

#include <QString>
#include <QUrl>

namespace Quorvel::App::Internal {

// One WARNING for a link that the preferred browser did not take: which browser and why, and
// whether the system's handler took it instead. An empty `browser`: none was found, which is
// worth a record only when the system's handler refused the link too.
void ReportUnopenedLink(const QUrl& url, const QString& browser, const QString& why,
                        bool openedBySystem);

}  // namespace Quorvel::App::Internal
