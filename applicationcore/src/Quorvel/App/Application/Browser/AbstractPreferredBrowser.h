#pragma once

#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QString>

#include <functional>
#include <map>
#include <memory>

namespace Quorvel::App {

/// The executable of the web browser that the product's links open in: found lazily from
/// three hints, remembered in the product settings under "PreferredBrowser", and searched for
/// again whenever the file has gone or can no longer be executed. Derived classes say how to
/// search.
class QUORVEL_APPLICATIONCORE_EXPORT AbstractPreferredBrowser {
public:
    /// What the search is given to go on.
    struct PreferredBrowserContext {
        QString locale;            ///< the interface language in effect
        QString browser;           ///< file name recorded by the installer, e.g. "chrome.exe"
        QString preferredBrowser;  ///< full path remembered from an earlier run
    };

    /// Executable file name -> user-agent text; the first entry ("browser.exe") is the
    /// answer for any browser not listed.
    static const std::map<QString, QString> m_UserAgentMap;

    /// `productSettings` may be empty; nothing is remembered then.
    explicit AbstractPreferredBrowser(
        const std::shared_ptr<IProductSettingsManager>& productSettings);
    /// Copies the path, the settings and the callback.
    /// @{
    AbstractPreferredBrowser(const AbstractPreferredBrowser& other);
    AbstractPreferredBrowser& operator=(const AbstractPreferredBrowser& other);
    /// @}
    virtual ~AbstractPreferredBrowser();

    /// Decides the path: a remembered executable file is taken as it is when the installer
    /// recorded no browser, anything else starts a search. A changed or empty result is
    /// remembered.
    void Init(const PreferredBrowserContext& context);
    /// The path, searched for first (through the context callback) when it is empty or its
    /// file has gone or cannot be executed. May still be empty.
    QString Path();
    /// File name of the current path; never searches.
    QString Name() const;
    /// User-agent text of the current browser; never searches.
    QString UserAgent() const;
    /// Where Path() gets its context when it must search; without one Path() does not search.
    void SetContextCallback(const std::function<PreferredBrowserContext()>& callback);

protected:
    /// The browser's executable for `context`, or empty when none is found.
    virtual QString FindPath(const PreferredBrowserContext& context) = 0;

private:
    QString m_Path;
    std::function<PreferredBrowserContext()> m_ContextCallback;
    std::shared_ptr<IProductSettingsManager> m_ProductSettings;
};

}  // namespace Quorvel::App
