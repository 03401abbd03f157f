#include <Quorvel/Reading/PathComponent.h>

#include <QCoreApplication>
#include <QSet>

#include <glog/logging.h>

#include <mutex>

namespace Quorvel::Reading {

QString PathComponent(const QString& name) {
    QString safe = name;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'))
        .replace(QLatin1Char('\\'), QLatin1Char('_'))
        .replace(QChar(0), QLatin1Char('_'));
    if (!safe.isEmpty() && safe.count(QLatin1Char('.')) == safe.size()) {
        safe.fill(QLatin1Char('_'));
    }
    if (safe != name) {
        static std::mutex mutex;
        static QSet<QString> reported;
        std::lock_guard<std::mutex> lock(mutex);
        if (!reported.contains(name)) {
            reported.insert(name);
            LOG(WARNING) << "The name \"" << name.toStdString()
                         << "\" cannot be one folder name; \"" << safe.toStdString()
                         << "\" is used in paths instead";
        }
    }
    return safe;
}

QString ApplicationFolder(const QString& base) {
    QStringList parts{base, PathComponent(QCoreApplication::organizationName()),
                      PathComponent(QCoreApplication::applicationName())};
    parts.removeAll(QString());
    return parts.join(QLatin1Char('/'));
}

}  // namespace Quorvel::Reading
