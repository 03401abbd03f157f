// The hand-over against a bare start: how long a second launch takes, from its process start
// to the primary's Received signal, beside the same program started and quit without the
// service, each the median of --runs=N (default 31) launches taken in turns. The program is
// its own primary, second launch and bare start:
//   quorvel_bench_handover [--runs=N]         measures, prints the times and their ratio
//   quorvel_bench_handover --primary <key>    the running instance
//   quorvel_bench_handover --second <key>     hands over and quits
//   quorvel_bench_handover --bare             starts and quits without the service
// A hand-over is measured to the line the primary writes from its signal, and also to the end
// of the second process (its teardown included, as in a bare start's time).

#include <Quorvel/Handover.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using Quorvel::App::InstanceHandover;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool ReadLine(QProcess& process, const QByteArray& expected) {
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(10000)) {
            return false;
        }
    }
    return process.readLine().trimmed() == expected;
}

int Measure(int runs) {
    const QString self = QCoreApplication::applicationFilePath();
    const QString key = QStringLiteral("handover bench %1").arg(QCoreApplication::applicationPid());
    QProcess primary;
    primary.start(self, {"--primary", key});
    if (!ReadLine(primary, "primary")) {
        std::fprintf(stderr, "the primary did not start\n");
        return 1;
    }
    std::vector<double> handover, whole, bare;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        QProcess plain;
        timer.start();
        plain.start(self, {"--bare"});
        if (!plain.waitForFinished(10000) || plain.exitCode() != 0) {
            std::fprintf(stderr, "a bare start failed\n");
            return 1;
        }
        bare.push_back(timer.nsecsElapsed() / 1e6);

        QProcess second;
        timer.start();
        second.start(self, {"--second", key});
        if (!ReadLine(primary, "received")) {
            std::fprintf(stderr, "the primary received nothing\n");
            return 1;
        }
        handover.push_back(timer.nsecsElapsed() / 1e6);
        if (!second.waitForFinished(10000) || second.exitCode() != 0) {
            std::fprintf(stderr, "a second launch did not hand over\n");
            return 1;
        }
        whole.push_back(timer.nsecsElapsed() / 1e6);
    }
    primary.kill();
    primary.waitForFinished();
    const double a = Median(handover), b = Median(bare), c = Median(whole);
    std::printf(
        "ratio hand-over (second start to the primary's signal) / bare start and quit: "
        "%.3f  (%.2f ms / %.2f ms, median of %d)\n",
        a / b, a, b, runs);
    std::printf("ratio second launch to its end / bare start and quit: %.3f  (%.2f ms / %.2f ms)\n",
                c / b, c, b);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == "--bare") {
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
        return app.exec();
    }
    if ((mode == "--primary" || mode == "--second") && arguments.size() == 3) {
        InstanceHandover handover(arguments[2]);
        if (mode == "--second") {
            return !handover.IsPrimary() && handover.HandOver({"file.txt"}, QDir::currentPath())
                       ? 0
                       : 1;
        }
        QObject::connect(&handover, &InstanceHandover::Received, [] {
            std::printf("received\n");
            std::fflush(stdout);
        });
        std::printf("primary\n");
        std::fflush(stdout);
        return app.exec();
    }
    int runs = 31;
    if (mode.startsWith("--runs=")) {
        runs = std::max(1, mode.mid(7).toInt());
    }
    return Measure(runs);
}
