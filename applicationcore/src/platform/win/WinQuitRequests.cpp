#include "QuitRequests.h"

#include <windows.h>

#include <atomic>

namespace Quorvel::App::Platform {

namespace {

constexpr unsigned kCtrlC = 1;
constexpr unsigned kCtrlBreak = 2;

// The live instance's event, null when there is none, and the requests not taken yet.
std::atomic<HANDLE> g_event{nullptr};
std::atomic<unsigned> g_pending{0};

// Runs on a thread the system starts for each console event. Closing the console, logging
// off and shutting down are left to the next handler: the system ends the process as soon as
// the handlers return, so no observer could be asked in time; a product with windows hears of
// the end of a session through Qt instead.
BOOL WINAPI NoteRequest(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    g_pending.fetch_or(type == CTRL_C_EVENT ? kCtrlC : kCtrlBreak);
    if (const HANDLE event = g_event.load()) {
        ::SetEvent(event);
    }
    return TRUE;
}

class WinQuitRequests final : public QuitRequests {
public:
    explicit WinQuitRequests(HANDLE event) : m_event(event) {}

    ~WinQuitRequests() override {
        if (m_owner) {
            ::SetConsoleCtrlHandler(&NoteRequest, FALSE);
            g_event.store(nullptr);
            g_pending.store(0);
        }
        ::CloseHandle(m_event);
    }

    bool Install(std::string& problem) {
        HANDLE expected = nullptr;
        if (!g_event.compare_exchange_strong(expected, m_event)) {
            problem = "the console's quit requests are already taken over in this process";
            return false;
        }
        m_owner = true;
        if (!::SetConsoleCtrlHandler(&NoteRequest, TRUE)) {
            problem = "the console handler cannot be installed: error " +
                      std::to_string(::GetLastError());
            return false;
        }
        return true;
    }

    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(m_event); }

    // Two requests of one kind before a take are one: the second adds nothing to the first.
    std::vector<std::string> Take() override {
        const unsigned pending = g_pending.exchange(0);
        std::vector<std::string> requests;
        if (pending & kCtrlC) {
            requests.emplace_back("CTRL_C_EVENT");
        }
        if (pending & kCtrlBreak) {
            requests.emplace_back("CTRL_BREAK_EVENT");
        }
        return requests;
    }

private:
    HANDLE m_event;
    bool m_owner = false;
};

}  // namespace

std::unique_ptr<QuitRequests> TakeOverQuitRequests(std::string& problem) {
    // Auto-reset: the wait that sees it signalled resets it.
    const HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!event) {
        problem = "the event for the quit requests cannot be made: error " +
                  std::to_string(::GetLastError());
        return nullptr;
    }
    auto requests = std::make_unique<WinQuitRequests>(event);
    if (!requests->Install(problem)) {
        return nullptr;
    }
    return requests;
}

}  // namespace Quorvel::App::Platform
