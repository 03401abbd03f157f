#pragma once

// Private to the appearance library; not installed.

#include "ColorSchemeSource.h"

#include <QDBusVariant>
#include <QObject>
#include <QSet>
#include <QString>

class QDBusPendingCallWatcher;

namespace Quorvel::App::Platform {

// Asks the desktop portal on the session bus for "color-scheme" in the namespace
// "org.freedesktop.appearance", without waiting for the answer, and follows SettingChanged.
// A portal that leaves and comes back is asked again.
class PortalColorScheme : public QObject, public ColorSchemeSource {
    Q_OBJECT
public:
    explicit PortalColorScheme(Listener listener);

private slots:
    void OnSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void Follow();
    void Read();
    void OnReadFinished(QDBusPendingCallWatcher* call);
    void Take(const QVariant& value, const QString& from);
    void Report(const QString& why);

    Listener m_listener;
    QSet<QString> m_reported;
    bool m_following = false;
    bool m_answered = false;  // the portal has answered once
};

}  // namespace Quorvel::App::Platform
