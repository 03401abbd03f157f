#include <Quorvel/App/Application/Testing/LogURLHandler.h>

#include <QFile>
#include <QTextStream>

namespace Quorvel::App {

LogURLHandler::LogURLHandler(QObject* parent, const QString& path)
    : QObject(parent), m_file(std::make_unique<QFile>(path)) {
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_file.reset();
    }
}

LogURLHandler::~LogURLHandler() = default;

void LogURLHandler::logUrls(QUrl url) {
    if (m_file) {
        QTextStream(m_file.get()) << url.url() << '\n';
        m_file->flush();  // whole lines, at once, for whoever follows the file
    }
}

}  // namespace Quorvel::App
