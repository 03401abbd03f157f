#pragma once

#include <glog/logging.h>

#include <mutex>
#include <string>
#include <vector>

namespace Quorvel::TestSupport {

struct LogRecord {
    google::LogSeverity severity;
    std::string message;
};

// Collects every glog record written while it is alive.
class LogCapture : public google::LogSink {
public:
    LogCapture();
    ~LogCapture() override;

    void send(google::LogSeverity severity, const char* fullFilename, const char* baseFilename,
              int line, const google::LogMessageTime& time, const char* message,
              size_t length) override;

    std::vector<LogRecord> Records() const;
    // Messages only, optionally of one severity (-1: any).
    std::vector<std::string> Messages(int severity = -1) const;
    // How many records contain `text`.
    int Count(const std::string& text) const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<LogRecord> m_records;
};

}  // namespace Quorvel::TestSupport
