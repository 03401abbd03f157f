#pragma once

#include <Quorvel/App/ILinksManager.h>

#include <QMap>
#include <QStringList>

namespace Quorvel::TestSupport {

// A links manager with addresses set by the test; remembers what it was asked to open.
class RecordingLinks : public Quorvel::App::ILinksManager {
public:
    QMap<Quorvel::URLKeys, QString> urls;
    QStringList opened;

    QString GetUrl(const QString&) override { return QString(); }
    QString GetUrl(Quorvel::URLKeys key) override { return urls.value(key); }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return QString(); }
    void OpenUrl(const QString& url) override { opened << url; }
    void OpenUrl(Quorvel::URLKeys key) override { opened << urls.value(key); }
};

}  // namespace Quorvel::TestSupport
