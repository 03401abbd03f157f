#include "ColorSchemeSource.h"
#include "win/PersonalizeRegistry.h"

#include <Quorvel/Reading/LogText.h>

#include <QObject>
#include <QSet>
#include <QString>

#include <glog/logging.h>

namespace Quorvel::App::Platform {

namespace {

// The user's app mode from the registry, read again after each change notification, on
// the GUI thread.
class RegistryColorScheme : public QObject, public ColorSchemeSource {
public:
    explicit RegistryColorScheme(Listener listener) : m_listener(std::move(listener)) {
        m_watcher = std::make_unique<PersonalizeWatcher>([this] {
            QMetaObject::invokeMethod(
                this, [this] { Read(); }, Qt::QueuedConnection);
        });
        if (!m_watcher->IsWatching()) {
            Report(QStringLiteral("changes of the Personalize key cannot be followed"));
        }
        Read();
    }
    // The watcher's thread ends before the object it posts to.
    ~RegistryColorScheme() override { m_watcher.reset(); }

private:
    void Read() {
        const AppsUseLightTheme read = ReadAppsUseLightTheme();
        if (!read.light) {
            Report(QString::fromStdWString(read.problem));
        }
        m_listener(!read.light   ? DesktopAppearance::Scheme::NoPreference
                   : *read.light ? DesktopAppearance::Scheme::Light
                                 : DesktopAppearance::Scheme::Dark);
    }

    void Report(const QString& why) {
        if (!m_reported.contains(why)) {
            m_reported.insert(why);
            LOG(INFO) << "The desktop's colour preference is not known: " << Reading::LogText(why)
                      << "; following no preference";
        }
    }

    Listener m_listener;
    QSet<QString> m_reported;
    std::unique_ptr<PersonalizeWatcher> m_watcher;
};

}  // namespace

std::unique_ptr<ColorSchemeSource> CreateColorSchemeSource(ColorSchemeSource::Listener listener) {
    return std::make_unique<RegistryColorScheme>(std::move(listener));
}

}  // namespace Quorvel::App::Platform
