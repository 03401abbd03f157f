#pragma once

#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Extensions/Extension.h>
#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

namespace Quorvel::App {

class URLHandler;

/// The browser the installer recorded (installer settings, "Browser"), looked for among the
/// running processes and the browsers the system has installed. Its full form also takes over
/// the product's "http" and "https" links (see URLHandler). As an extension it has nothing to
/// do at start.
class QUORVEL_APPLICATIONCORE_EXPORT PreferredBrowser : public AbstractPreferredBrowser,
                                                        public Extension {
public:
    /// Full form: installs the URL handler, and a context callback that reads the current
    /// locale, the remembered "PreferredBrowser" and the installer's "Browser" each time a
    /// search is needed. Throws std::logic_error when the look-and-feel manager or the
    /// installer settings are empty; the product settings may be empty.
    /// Destroy it while the application object still exists: the handler is its child.
    PreferredBrowser(const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
                     const std::shared_ptr<IProductSettingsManager>& productSettings,
                     const std::shared_ptr<IInstallerSettingsManager>& installerSettings);
    /// Short form: no URL handler and no callback; the path stays empty until Init.
    explicit PreferredBrowser(const std::shared_ptr<IProductSettingsManager>& productSettings);
    ~PreferredBrowser() override;

protected:
    /// Looks for the executable named `context.browser`: a running process of that name
    /// (names compared as the process map keys them, in lower case), else a file from the
    /// shell's cache, else a browser the system's menus offer whose base name matches in any
    /// case. Empty when nothing is found.
    QString FindPath(const PreferredBrowserContext& context) override;

private:
    std::unique_ptr<URLHandler> m_UrlHandler;
};

}  // namespace Quorvel::App
