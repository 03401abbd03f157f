// Restarts itself through a LifetimeManager, or records how it was started.
//
//   restart_child --restart <arguments>   restarts unattended once started, passing
//                                         <arguments> to the new instance; prints
//                                         "restarted=<0|1>" when its event loop has ended
//   restart_child [arguments...]          the relaunched instance: writes its pid, its
//                                         executable path and one argument per line to the
//                                         file after "--record", or, without that option,
//                                         to the file named by QUORVEL_RESTART_RECORD
#include <Quorvel/App/Application/LifetimeManager.h>

#include <QApplication>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);

    if (arguments.size() == 2 && arguments[0] == "--restart") {
        Quorvel::App::LifetimeManager manager;
        bool restarted = false;
        manager.addOnStartCallback([&] {
            restarted = manager.tryToRestart(Quorvel::App::WorkingMode::Unattended, "",
                                             arguments[1].toUtf8().toStdString());
        });
        QTimer::singleShot(0, [&] { manager.start(); });
        const int code = app.exec();
        std::printf("restarted=%d\n", restarted ? 1 : 0);
        return code;
    }

    QString recordFile = qEnvironmentVariable("QUORVEL_RESTART_RECORD");
    const int option = arguments.indexOf("--record");
    if (option >= 0 && option + 1 < arguments.size()) {
        recordFile = arguments[option + 1];
    }
    QSaveFile record(recordFile);
    if (!record.open(QIODevice::WriteOnly)) {
        return 2;
    }
    QStringList lines{QString::number(QCoreApplication::applicationPid()),
                      QCoreApplication::applicationFilePath()};
    lines += arguments;
    record.write((lines.join('\n') + '\n').toUtf8());
    return record.commit() ? 0 : 3;
}
