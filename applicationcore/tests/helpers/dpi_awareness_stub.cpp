// Stands in for the system's DPI library: leaves the value SetProcessDpiAwareness was called
// with in the environment, where the test finds it after the library is released again.
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
extern "C" __declspec(dllexport) long __stdcall SetProcessDpiAwareness(int value) {
#else
extern "C" __attribute__((visibility("default"))) long SetProcessDpiAwareness(int value) {
#endif
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
#ifdef _WIN32
    _putenv_s("QUORVEL_TEST_DPI_AWARENESS", text);
#else
    ::setenv("QUORVEL_TEST_DPI_AWARENESS", text, 1);
#endif
    return 0;
}
