#include <Quorvel/App/Application/LifetimeManager.h>

#include <Quorvel/App/Application/OnStartHandler.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/Util/AlertBox.h>
#include <Quorvel/Util/TextConversion.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace Quorvel::App {

struct LifetimeManager::Impl {
    Quorvel::Core::EventHandlerList<ILifetimeObserver, Quorvel::Core::SyncExecutePolicy> observers;
    std::vector<std::unique_ptr<OnStartHandler>> pendingOnStart;
    bool started = false;
    bool quitting = false;
};

LifetimeManager::LifetimeManager() : m_impl(std::make_unique<Impl>()) {}

LifetimeManager::~LifetimeManager() = default;

void LifetimeManager::quitImpl() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6's quit() first sends every window a close event, which a product answers by asking
    // to quit again; the observers have already agreed, so leave the event loop as Qt 5 did.
    QCoreApplication::exit(0);
#else
    QCoreApplication::quit();
#endif
}

void LifetimeManager::RegisterEventHandler(ILifetimeObserver* observer) {
    m_impl->observers.RegisterEventHandler(observer);
}

void LifetimeManager::UnregisterEventHandler(ILifetimeObserver* observer) {
    m_impl->observers.UnregisterEventHandler(observer);
}

void LifetimeManager::start() {
    if (m_impl->started) {
        return;
    }
    m_impl->started = true;
    m_impl->observers.Notify(&ILifetimeObserver::onStart);

    // Taken out of the state first: destroying a callback may destroy what it captured, and
    // that must not find a half-emptied list.
    std::vector<std::unique_ptr<OnStartHandler>> done = std::move(m_impl->pendingOnStart);
    m_impl->pendingOnStart.clear();
    for (const auto& handler : done) {
        m_impl->observers.UnregisterEventHandler(handler.get());
    }
}

bool LifetimeManager::isStarted() const { return m_impl->started; }

bool LifetimeManager::tryToQuit() {
    // Shared so that an observer keeping the veto past this call cannot write to a dead frame.
    auto vetoed = std::make_shared<bool>(false);
    const std::function<void()> veto = [vetoed] { *vetoed = true; };
    m_impl->observers.Notify(&ILifetimeObserver::onTryToQuit, veto);
    if (*vetoed) {
        return false;
    }
    m_impl->quitting = true;
    m_impl->observers.Notify(&ILifetimeObserver::onQuit);
    quitImpl();
    return true;
}

bool LifetimeManager::isQuitting() const { return m_impl->quitting; }

bool LifetimeManager::tryToRestart(WorkingMode mode, const std::string& iconPath,
                                   std::string arguments) {
    if (mode == WorkingMode::Interactive) {
        Quorvel::Util::AlertBox box(
            Quorvel::Util::AlertBox::Information,
            QCoreApplication::translate("ApplicationRestarter", "Attention"),
            QCoreApplication::translate(
                "ApplicationRestarter",
                "<b>This will restart the application.</b><br>Do you want to continue?"),
            QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow(),
            Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        QPixmap icon;
        if (!iconPath.empty() && icon.load(Quorvel::Util::Utf8ToQString(iconPath)) &&
            !icon.isNull()) {
            box.setIconPixmap(icon);
        }
        if (box.Exec() != QMessageBox::Ok) {
            return false;
        }
    }

    // Through the interface, so that a product's own quit decides here too.
    ILifetimeManager& manager = *this;
    if (!manager.tryToQuit()) {
        return false;
    }

    QString commandLine =
        QLatin1Char('"') + QCoreApplication::applicationFilePath() + QLatin1Char('"');
    if (!arguments.empty()) {
        commandLine += QLatin1Char(' ') + Quorvel::Util::Utf8ToQString(arguments);
    }
    // What the single-string QProcess::startDetached does (deprecated in Qt 5.15): split by
    // Qt's command-line rules, the first part is the program. A failed launch is not reported;
    // the quit has been decided either way.
    QStringList parts = QProcess::splitCommand(commandLine);
    if (!parts.isEmpty()) {
        const QString program = parts.takeFirst();
        QProcess::startDetached(program, parts);
    }
    return true;
}

void LifetimeManager::addOnStartCallback(const std::function<void()>& callback) {
    if (!callback) {
        return;
    }
    auto handler = std::make_unique<OnStartHandler>(callback);
    OnStartHandler* observer = handler.get();
    m_impl->pendingOnStart.push_back(std::move(handler));
    m_impl->observers.RegisterEventHandler(observer);
}

}  // namespace Quorvel::App
