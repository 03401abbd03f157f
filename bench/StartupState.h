#pragma once

class QWidget;

// What both start-up programs set up, and what each must show alike: the demo's light theme
// in German.
namespace StartupState {

constexpr const char* kTheme = "light";
constexpr const char* kLocale = "de_DE";

// The started state: with --describe, prints what can be seen of it (the application's sheet,
// the application fonts, the theme's resources, a picture of the window) for
// run_startup.sh to compare; then ends the process at once, so that a count under callgrind
// ends at the started state.
[[noreturn]] void Reached(QWidget& window, bool describe);

}  // namespace StartupState
