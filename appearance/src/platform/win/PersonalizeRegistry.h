#pragma once

// Private to the appearance library; not installed. Plain Win32, no Qt.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace Quorvel::App::Platform {

// HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize, where the user's choice
// of light or dark apps is kept as the DWORD "AppsUseLightTheme" (0 dark, otherwise light).
struct AppsUseLightTheme {
    std::optional<bool> light;
    std::wstring problem;  // why there is no answer: missing, not a DWORD
};

AppsUseLightTheme ReadAppsUseLightTheme();

// Calls `changed` on a thread of its own after each change below the Personalize key (or
// the nearest of its parents that exists), until it is destroyed.
class PersonalizeWatcher {
public:
    explicit PersonalizeWatcher(std::function<void()> changed);
    ~PersonalizeWatcher();
    PersonalizeWatcher(const PersonalizeWatcher&) = delete;
    PersonalizeWatcher& operator=(const PersonalizeWatcher&) = delete;

    bool IsWatching() const { return m_key != nullptr; }

private:
    void Watch();

    std::function<void()> m_changed;
    HKEY m_key = nullptr;
    HANDLE m_stop = nullptr;
    HANDLE m_notified = nullptr;
    std::thread m_thread;
};

}  // namespace Quorvel::App::Platform
