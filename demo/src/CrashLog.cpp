#include "CrashLog.h"

#include <glog/logging.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

int g_logFile = -1;

// Runs inside the signal handler: plain writes only.
void WriteFailure(const char* data, size_t size) {
#ifndef _WIN32
    ssize_t written = ::write(STDERR_FILENO, data, size);
    if (g_logFile >= 0) {
        written = ::write(g_logFile, data, size);
    }
    static_cast<void>(written);
#endif
}

}  // namespace

void InstallCrashLog(const std::string& logFile) {
    FLAGS_logbuflevel = -1;
#ifndef _WIN32
    g_logFile = ::open(logFile.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    google::InstallFailureWriter(&WriteFailure);
#else
    static_cast<void>(logFile);
#endif
}
