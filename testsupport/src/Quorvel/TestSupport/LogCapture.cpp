#include <Quorvel/TestSupport/LogCapture.h>

namespace Quorvel::TestSupport {

LogCapture::LogCapture() { google::AddLogSink(this); }

LogCapture::~LogCapture() { google::RemoveLogSink(this); }

void LogCapture::send(google::LogSeverity severity, const char*, const char*, int,
                      const google::LogMessageTime&, const char* message, size_t length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back({severity, std::string(message, length)});
}

std::vector<LogRecord> LogCapture::Records() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
}

std::vector<std::string> LogCapture::Messages(int severity) const {
    std::vector<std::string> messages;
    for (const LogRecord& record : Records()) {
        if (severity < 0 || record.severity == severity) {
            messages.push_back(record.message);
        }
    }
    return messages;
}

int LogCapture::Count(const std::string& text) const {
    int count = 0;
    for (const LogRecord& record : Records()) {
        count += record.message.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

void LogCapture::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.clear();
}

}  // namespace Quorvel::TestSupport
