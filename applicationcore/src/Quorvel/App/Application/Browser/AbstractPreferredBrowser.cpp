#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>

#include "ExecutableNames.h"

#include <QFileInfo>

namespace Quorvel::App {

namespace {

// A remembered browser that was removed, or replaced by something that cannot run, is looked
// for again rather than handed every link in vain.
bool IsRunnable(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

}  // namespace

const std::map<QString, QString> AbstractPreferredBrowser::m_UserAgentMap = {
    {"browser.exe",
     "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/30.0.1599.12785 YaBrowser/13.12.1599.12785 Safari/537.36"},
    {"chrome.exe",
     "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/41.0.2228.0 Safari/537.36"},
    {"firefox.exe", "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:40.0) Gecko/20100101 Firefox/40.1"},
    {"iexplore.exe", "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; AS; rv:11.0) like Gecko"},
    {"launcher.exe", "Opera/9.80 (Windows NT 6.0) Presto/2.12.388 Version/12.14"},
    {"msedge.exe",
     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
     "Chrome/96.0.4664.55 Safari/537.36 Edg/96.0.1054.43"},
    {"safari.exe",
     "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/533.20.25 (KHTML, like "
     "Gecko) Version/5.0.4 Safari/533.20.27"},
};

AbstractPreferredBrowser::AbstractPreferredBrowser(
    const std::shared_ptr<IProductSettingsManager>& productSettings)
    : m_ProductSettings(productSettings) {}

AbstractPreferredBrowser::AbstractPreferredBrowser(const AbstractPreferredBrowser& other) = default;

AbstractPreferredBrowser& AbstractPreferredBrowser::operator=(
    const AbstractPreferredBrowser& other) = default;

AbstractPreferredBrowser::~AbstractPreferredBrowser() = default;

void AbstractPreferredBrowser::Init(const PreferredBrowserContext& context) {
    const QString oldPath = m_Path;
    // A browser recorded by the installer always wins over what an earlier run remembered.
    if (context.browser.isEmpty() && !context.preferredBrowser.isEmpty() &&
        IsRunnable(context.preferredBrowser)) {
        m_Path = context.preferredBrowser;
    } else {
        m_Path = FindPath(context);
    }
    // An empty result is written too, so that a stale remembered path is cleared.
    if ((m_Path != oldPath || m_Path.isEmpty()) && m_ProductSettings) {
        m_ProductSettings->SetString("PreferredBrowser", m_Path.toStdString());
    }
}

QString AbstractPreferredBrowser::Path() {
    if (!m_Path.isEmpty() && IsRunnable(m_Path)) {
        return m_Path;
    }
    if (m_ContextCallback) {
        Init(m_ContextCallback());
    }
    return m_Path;
}

QString AbstractPreferredBrowser::Name() const {
    return m_Path.isEmpty() ? QString() : QFileInfo(m_Path).fileName();
}

QString AbstractPreferredBrowser::UserAgent() const {
    const auto found = m_UserAgentMap.find(Platform::UserAgentKey(Name()));
    return found != m_UserAgentMap.end() ? found->second : m_UserAgentMap.begin()->second;
}

void AbstractPreferredBrowser::SetContextCallback(
    const std::function<PreferredBrowserContext()>& callback) {
    m_ContextCallback = callback;
}

}  // namespace Quorvel::App
