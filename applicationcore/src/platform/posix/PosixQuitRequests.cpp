#include "QuitRequests.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace Quorvel::App::Platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

// The write end of the live instance's pipe, -1 when there is none.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read inside a signal handler");

// Runs inside the signal handler: one byte into the pipe, nothing else. The pipe does not
// block: a full one already holds more requests than anyone will answer.
extern "C" void NoteRequest(int signal) {
    const int savedErrno = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signal);
        static_cast<void>(::write(fd, &byte, 1));
    }
    errno = savedErrno;
}

const char* NameOf(int signal) {
    switch (signal) {
        case SIGTERM:
            return "SIGTERM";
        case SIGINT:
            return "SIGINT";
        case SIGHUP:
            return "SIGHUP";
    }
    return "an unknown signal";
}

class PosixQuitRequests final : public QuitRequests {
public:
    PosixQuitRequests(int readEnd, int writeEnd) : m_readEnd(readEnd), m_writeEnd(writeEnd) {}

    ~PosixQuitRequests() override {
        for (size_t i = 0; i < m_installed; ++i) {
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
        }
        if (m_owner) {
            g_writeEnd.store(-1);
        }
        ::close(m_readEnd);
        ::close(m_writeEnd);
    }

    bool Install(std::string& problem) {
        int expected = -1;
        if (!g_writeEnd.compare_exchange_strong(expected, m_writeEnd)) {
            problem = "the quit signals are already taken over in this process";
            return false;
        }
        m_owner = true;
        for (; m_installed < kSignalCount; ++m_installed) {
            struct sigaction action {};
            action.sa_handler = &NoteRequest;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESTART;
            const int signal = kSignals[m_installed];
            if (::sigaction(signal, &action, &m_previous[m_installed]) != 0) {
                problem = std::string("the handler of ") + NameOf(signal) +
                          " cannot be installed: " + std::strerror(errno);
                return false;
            }
        }
        return true;
    }

    std::intptr_t Handle() const override { return m_readEnd; }

    std::vector<std::string> Take() override {
        std::vector<std::string> requests;
        unsigned char bytes[64];
        while (true) {
            const ssize_t count = ::read(m_readEnd, bytes, sizeof(bytes));
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                break;  // empty (EAGAIN): everything noted so far is taken
            }
            for (ssize_t i = 0; i < count; ++i) {
                requests.emplace_back(NameOf(bytes[i]));
            }
        }
        return requests;
    }

private:
    int m_readEnd;
    int m_writeEnd;
    struct sigaction m_previous[kSignalCount] {};
    size_t m_installed = 0;
    bool m_owner = false;
};

}  // namespace

std::unique_ptr<QuitRequests> TakeOverQuitRequests(std::string& problem) {
    int ends[2];
    // CLOEXEC: a restarted product must not inherit the pipe.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        problem =
            std::string("the pipe for the quit signals cannot be made: ") + std::strerror(errno);
        return nullptr;
    }
    auto requests = std::make_unique<PosixQuitRequests>(ends[0], ends[1]);
    if (!requests->Install(problem)) {
        return nullptr;
    }
    return requests;
}

}  // namespace Quorvel::App::Platform
