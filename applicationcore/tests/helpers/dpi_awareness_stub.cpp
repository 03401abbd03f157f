// Stands in for the system's DPI library: exports SetProcessDpiAwareness and leaves the value
// it was called with in the process environment, where the test finds it after the library
// has been released again.
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#define STUB_EXPORT extern "C" __declspec(dllexport)
#define STUB_CALL __stdcall
#else
#define STUB_EXPORT extern "C" __attribute__((visibility("default")))
#define STUB_CALL
#endif

STUB_EXPORT long STUB_CALL SetProcessDpiAwareness(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
#ifdef _WIN32
    _putenv_s("QUORVEL_TEST_DPI_AWARENESS", text);
#else
    ::setenv("QUORVEL_TEST_DPI_AWARENESS", text, 1);
#endif
    return 0;
}
