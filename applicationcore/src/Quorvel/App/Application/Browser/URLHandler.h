#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>
#include <QUrl>

namespace Quorvel::App {

class PreferredBrowser;

/// Takes over the "http" and "https" links that the product opens with QDesktopServices and
/// starts the preferred browser with them; the system's own handler opens them when there is
/// no browser or it cannot be started. Qt forgets the handler when it is destroyed.
class QUORVEL_APPLICATIONCORE_EXPORT URLHandler : public QObject {
    Q_OBJECT

public:
    /// `browser` must outlive the handler.
    URLHandler(QObject* parent, PreferredBrowser& browser);
    ~URLHandler() override;

public slots:
    /// Starts the preferred browser with `url`; falls back on the system's handler, never
    /// re-entering this one.
    void OpenURLWithPreferredBrowser(const QUrl& url);

private:
    PreferredBrowser& m_Browser;
};

}  // namespace Quorvel::App
