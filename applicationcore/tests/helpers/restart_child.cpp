// "restart_child --restart <arguments>" restarts itself unattended once started, passing
// <arguments> on, and prints "restarted=<0|1>" when its event loop has ended. Otherwise it is
// the relaunched instance: it writes its pid, executable path and arguments, one per line, to
// the file named by QUORVEL_RESTART_RECORD.
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

    QSaveFile record(qEnvironmentVariable("QUORVEL_RESTART_RECORD"));
    const QStringList lines = QStringList{QString::number(QCoreApplication::applicationPid()),
                                          QCoreApplication::applicationFilePath()} +
                              arguments;
    return record.open(QIODevice::WriteOnly) &&
                   record.write((lines.join('\n') + '\n').toUtf8()) > 0 && record.commit()
               ? 0
               : 2;
}
