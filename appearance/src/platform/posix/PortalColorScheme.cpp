#include "posix/PortalColorScheme.h"

#include "posix/PortalSchemeValue.h"

#include <Quorvel/Reading/LogText.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

#include <glog/logging.h>

namespace Quorvel::App::Platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString kNamespace = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");
// The portal starts on demand; a few seconds are plenty for that, and nothing waits meanwhile.
constexpr int kReadTimeoutMs = 10000;

}  // namespace

PortalColorScheme::PortalColorScheme(Listener listener) : m_listener(std::move(listener)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Report("there is no session bus (" + bus.lastError().message() + ")");
        return;
    }
    Follow();
    auto* watcher =
        new QDBusServiceWatcher(kService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        Follow();
        Read();
    });
    Read();
}

void PortalColorScheme::Follow() {
    // Made again once the portal runs: Qt 6.4 loses a subscription made on a connection that
    // was still being set up, or to a portal that had not started yet.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString name = QStringLiteral("SettingChanged");
    const char* slot = SLOT(OnSettingChanged(QString, QString, QDBusVariant));
    if (m_following) {
        bus.disconnect(kService, kPath, kInterface, name, this, slot);
    }
    m_following = bus.connect(kService, kPath, kInterface, name, this, slot);
}

void PortalColorScheme::Read() {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Read"));
    call << kNamespace << kKey;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kReadTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalColorScheme::OnReadFinished);
}

void PortalColorScheme::OnReadFinished(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // What an earlier answer said stays: two questions may be out at once (the one that
        // started the portal and the one asked when it appeared), and they may end either way.
        Report("the desktop portal did not answer (" + reply.errorName() + ": " +
               reply.errorMessage() + ")");
    } else if (reply.arguments().size() != 1) {
        Report("the desktop portal answered with " + QString::number(reply.arguments().size()) +
               " values instead of one");
    } else {
        if (!m_answered) {
            m_answered = true;
            Follow();
        }
        Take(reply.arguments().constFirst(), QStringLiteral("answered"));
    }
}

void PortalColorScheme::OnSettingChanged(const QString& group, const QString& key,
                                         const QDBusVariant& value) {
    if (group == kNamespace && key == kKey) {
        Take(QVariant::fromValue(value), QStringLiteral("signalled"));
    }
}

void PortalColorScheme::Take(const QVariant& value, const QString& from) {
    const PortalSchemeValue read = ReadPortalSchemeValue(value);
    if (!read.scheme) {
        Report("the desktop portal " + from + " " + read.problem);
    }
    m_listener(read.scheme.value_or(DesktopAppearance::Scheme::NoPreference));
}

void PortalColorScheme::Report(const QString& why) {
    if (!m_reported.contains(why)) {
        m_reported.insert(why);
        LOG(INFO) << "The desktop's colour preference is not known: " << Reading::LogText(why)
                  << "; following no preference";
    }
}

}  // namespace Quorvel::App::Platform
