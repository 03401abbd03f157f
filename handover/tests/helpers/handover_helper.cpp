// A product that opts into the hand-over, for the tests that need real processes:
//   handover_helper <key> [arguments...]
// prints "primary" when it is the primary (also later, after a failed hand-over) and then one
// "received <JSON array: working directory, arguments...>" line per hand-over; a second launch
// prints "handed" and ends with 0, or "alone" and goes on. A hand-over of "--quit-slowly" makes
// the primary quit after a second in which it serves nobody, as a product busy quitting.
//   handover_helper --send-to <server name> [arguments...]
// sends one message straight to a server and ends with 0 when it was taken.

#include <Quorvel/App/Handover/HandoverClient.h>
#include <Quorvel/App/Handover/HandoverMessage.h>
#include <Quorvel/App/Handover/InstanceHandover.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>
#include <QTimer>

#include <glog/logging.h>

#include <iostream>

using namespace Quorvel::App;

namespace {

void Say(const QByteArray& line) { std::cout << line.toStdString() << std::endl; }

}  // namespace

int main(int argc, char** argv) {
    FLAGS_logtostderr = true;
    google::InitGoogleLogging(argv[0]);
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() >= 2 && arguments[0] == "--send-to") {
        std::string problem;
        const auto result = Handover::HandoverClient::Send(
            arguments[1], Handover::EncodeHandoverMessage({arguments.mid(2), QDir::currentPath()}),
            QDeadlineTimer(2000), problem);
        Say(result == Handover::HandoverClient::Result::Taken ? "taken" : "not taken");
        return result == Handover::HandoverClient::Result::Taken ? 0 : 1;
    }
    if (arguments.isEmpty()) {
        std::cerr << "usage: handover_helper <key> [arguments...]\n";
        return 2;
    }
    InstanceHandover handover(arguments.takeFirst());
    QObject::connect(&handover, &InstanceHandover::BecamePrimary, [] { Say("primary"); });
    QObject::connect(&handover, &InstanceHandover::Received,
                     [](const QStringList& received, const QString& workingDirectory) {
                         const QJsonArray line =
                             QJsonArray::fromStringList(QStringList{workingDirectory} + received);
                         Say("received " + QJsonDocument(line).toJson(QJsonDocument::Compact));
                         if (received == QStringList{"--quit-slowly"}) {
                             QTimer::singleShot(0, [] {
                                 QThread::msleep(1000);
                                 QCoreApplication::quit();
                             });
                         }
                     });
    if (handover.IsPrimary()) {
        Say("primary");
    } else if (handover.HandOver(arguments, QDir::currentPath())) {
        Say("handed");
        return 0;
    } else {
        Say("alone");
    }
    return app.exec();
}
