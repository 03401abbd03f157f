#pragma once

// One PASS or FAIL line per check, for the checks of the Windows code that mingw-w64 builds
// without Qt and wine runs.

#include <cstdio>
#include <string>

inline int g_failures = 0;

inline void Check(bool condition, const char* what, const std::string& detail = {}) {
    std::printf("%s: %s%s%s\n", condition ? "PASS" : "FAIL", what, detail.empty() ? "" : ": ",
                detail.c_str());
    g_failures += condition ? 0 : 1;
}

// The exit code of the check program: 0 when nothing failed.
inline int Finish() {
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
