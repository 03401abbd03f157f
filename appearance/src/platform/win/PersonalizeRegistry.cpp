#include "win/PersonalizeRegistry.h"

namespace Quorvel::App::Platform {

namespace {

const wchar_t kCurrentVersion[] = L"Software\\Microsoft\\Windows\\CurrentVersion";
const wchar_t kThemes[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes";
const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

}  // namespace

AppsUseLightTheme ReadAppsUseLightTheme() {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result = ::RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme",
                                       RRF_RT_ANY, &type, &value, &size);
    if (result == ERROR_FILE_NOT_FOUND) {
        return {std::nullopt, L"AppsUseLightTheme is not set"};
    }
    if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && type != REG_DWORD)) {
        return {std::nullopt, L"AppsUseLightTheme is not a DWORD"};
    }
    if (result != ERROR_SUCCESS) {
        return {std::nullopt,
                L"AppsUseLightTheme cannot be read (error " + std::to_wstring(result) + L")"};
    }
    return {value != 0, {}};
}

PersonalizeWatcher::PersonalizeWatcher(std::function<void()> changed)
    : m_changed(std::move(changed)) {
    // The nearest key that exists; a fresh profile may not have the lower ones yet.
    for (const wchar_t* path : {kPersonalize, kThemes, kCurrentVersion}) {
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_NOTIFY, &m_key) == ERROR_SUCCESS) {
            break;
        }
        m_key = nullptr;
    }
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_notified = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_key || !m_stop || !m_notified) {
        if (m_key) {
            ::RegCloseKey(m_key);
            m_key = nullptr;
        }
        return;
    }
    m_thread = std::thread([this] { Watch(); });
}

PersonalizeWatcher::~PersonalizeWatcher() {
    if (m_thread.joinable()) {
        ::SetEvent(m_stop);
        m_thread.join();
    }
    for (HANDLE handle : {m_stop, m_notified}) {
        if (handle) {
            ::CloseHandle(handle);
        }
    }
    if (m_key) {
        ::RegCloseKey(m_key);
    }
}

void PersonalizeWatcher::Watch() {
    const DWORD filter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
    const HANDLE handles[] = {m_stop, m_notified};
    // A notification fires once: it is asked for again before each wait.
    while (::RegNotifyChangeKeyValue(m_key, TRUE, filter, m_notified, TRUE) == ERROR_SUCCESS &&
           ::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        m_changed();
    }
}

}  // namespace Quorvel::App::Platform
