#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QObject>
#include <QUrl>

#include <memory>

class QFile;

namespace Quorvel::App {

/// Writes every link it is handed to a file, one per line, instead of opening it. The URL test
/// installs it for "http" and "https" with QDesktopServices::setUrlHandler (method "logUrls").
/// A file that cannot be opened (or, in a folder other users can write to, a link or another
/// user's file) makes it swallow the links, after one WARNING. GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT LogURLHandler : public QObject {
    Q_OBJECT
public:
    /// Opens `path` for writing, emptying it.
    LogURLHandler(QObject* parent, const QString& path);
    ~LogURLHandler() override;

    /// Appends `url` and a line end to the file; does nothing without one.
    Q_INVOKABLE void logUrls(QUrl url);

private:
    std::unique_ptr<QFile> m_file;
};

}  // namespace Quorvel::App
