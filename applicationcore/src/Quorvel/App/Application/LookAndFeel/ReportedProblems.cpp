#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>

#include <glog/logging.h>

namespace Quorvel::App::LookAndFeel {

void ReportedProblems::Warn(const QString& message) {
    if (m_reported.insert(message).second) {
        LOG(WARNING) << message.toStdString();
    }
}

}  // namespace Quorvel::App::LookAndFeel
