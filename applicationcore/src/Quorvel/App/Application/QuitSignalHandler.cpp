#include <Quorvel/App/Application/QuitSignalHandler.h>

#include "QuitRequests.h"

#include <Quorvel/NotNull.h>

#ifdef _WIN32
#include <QWinEventNotifier>
#else
#include <QSocketNotifier>
#endif

#include <glog/logging.h>

namespace Quorvel::App {

struct QuitSignalHandler::Impl {
    explicit Impl(const std::shared_ptr<ILifetimeManager>& manager) : lifetime(manager) {
        std::string problem;
        requests = Platform::TakeOverQuitRequests(problem);
        if (!requests) {
            LOG(ERROR) << "Quit signals are left to their previous handlers: " << problem;
            return;
        }
#ifdef _WIN32
        notifier =
            std::make_unique<QWinEventNotifier>(reinterpret_cast<Qt::HANDLE>(requests->Handle()));
        QObject::connect(notifier.get(), &QWinEventNotifier::activated, [this] { Answer(); });
#else
        notifier = std::make_unique<QSocketNotifier>(static_cast<qintptr>(requests->Handle()),
                                                     QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { Answer(); });
#endif
    }

    // Runs again from inside tryToQuit when a request comes while an observer's box is open.
    void Answer() {
        for (const std::string& request : requests->Take()) {
            if (deciding) {
                LOG(WARNING) << request
                             << " received while an earlier request to quit is being decided";
            } else if (lifetime->isQuitting()) {
                LOG(INFO) << request << " received while quitting";
            } else {
                LOG(WARNING) << request << " received: quitting through the lifetime manager";
                deciding = true;
                bool quit = false;
                try {
                    quit = lifetime->tryToQuit();
                } catch (...) {
                    deciding = false;
                    throw;
                }
                deciding = false;
                if (!quit) {
                    LOG(WARNING) << "The quit " << request << " asked for was refused";
                }
            }
        }
    }

    NotNull<std::shared_ptr<ILifetimeManager>> lifetime;
    std::unique_ptr<Platform::QuitRequests> requests;
    // Declared after the requests, so that it goes before the handle it watches.
#ifdef _WIN32
    std::unique_ptr<QWinEventNotifier> notifier;
#else
    std::unique_ptr<QSocketNotifier> notifier;
#endif
    bool deciding = false;
};

QuitSignalHandler::QuitSignalHandler(const std::shared_ptr<ILifetimeManager>& lifetime)
    : m_impl(std::make_unique<Impl>(lifetime)) {}

QuitSignalHandler::~QuitSignalHandler() = default;

}  // namespace Quorvel::App
