// "quit_signal_probe [refuse-once|hold]": a product that quits through its lifetime manager on a
// quit signal, with glog's failure handler installed first as a product installs it. It prints
// "started" once started, and its observer prints "asked" when asked and "quit" when the quit
// is decided. "refuse-once" refuses the first quit ("refused"); "hold" keeps the first question
// open, as a message box would, until a line arrives on standard input.
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/App/Application/QuitSignalHandler.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <glog/logging.h>

#include <unistd.h>
#include <cstdio>

namespace {

void Say(const char* word) {
    std::printf("%s\n", word);
    std::fflush(stdout);
}

class Observer : public Quorvel::App::LifetimeObserver {
public:
    explicit Observer(QString mode) : m_mode(std::move(mode)) {}

    void onTryToQuit(const std::function<void()>& veto) override {
        Say("asked");
        if (m_mode == "hold") {
            QEventLoop question;
            QSocketNotifier answer(STDIN_FILENO, QSocketNotifier::Read);
            QObject::connect(&answer, &QSocketNotifier::activated, &question, &QEventLoop::quit);
            question.exec();
        } else if (m_mode == "refuse-once" && !m_refused) {
            m_refused = true;
            Say("refused");
            veto();
        }
    }
    void onQuit() override { Say("quit"); }

private:
    QString m_mode;
    bool m_refused = false;
};

}  // namespace

int main(int argc, char** argv) {
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    google::InstallFailureSignalHandler();
    QCoreApplication app(argc, argv);
    auto lifetime = std::make_shared<Quorvel::App::LifetimeManager>();
    Quorvel::App::QuitSignalHandler quitSignals(lifetime);
    Observer observer(QCoreApplication::arguments().value(1));
    lifetime->RegisterEventHandler(&observer);
    lifetime->addOnStartCallback([] { Say("started"); });
    QTimer::singleShot(0, [&] { lifetime->start(); });
    const int code = app.exec();
    lifetime->UnregisterEventHandler(&observer);
    return code;
}
