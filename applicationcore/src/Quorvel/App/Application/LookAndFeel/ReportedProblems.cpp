#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/Reading/LogText.h>

#include <glog/logging.h>

namespace Quorvel::App::LookAndFeel {

void ReportedProblems::Warn(const QString& message) {
    if (m_reported.insert(message).second) {
        // The messages name files and quote what is in them.
        LOG(WARNING) << Reading::LogText(message);
    }
}

}  // namespace Quorvel::App::LookAndFeel
