#pragma once

#include <string>

// glog writes the stack of a fault to stderr only, while support staff read the log file:
// makes the failure handler write it to both, and every record reach the file at once, so that
// the stack follows the last record. Call once `logFile` exists.
void InstallCrashLog(const std::string& logFile);
