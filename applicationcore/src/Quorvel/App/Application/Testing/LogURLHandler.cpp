#include <Quorvel/App/Application/Testing/LogURLHandler.h>

#include <Quorvel/Reading/OutputFile.h>

#include <QFile>
#include <QTextStream>

#include <glog/logging.h>

namespace Quorvel::App {

LogURLHandler::LogURLHandler(QObject* parent, const QString& path) : QObject(parent) {
    QString problem;
    m_file = Reading::OpenOutputFile(path, problem);
    if (!m_file) {
        LOG(WARNING) << "Opened links are swallowed, not logged: " << problem.toStdString();
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
