#include <Quorvel/App/Handover/HandoverMessage.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QLocalSocket>

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <memory>
#include <vector>

using namespace Quorvel::App::Handover;

namespace {

// One handover_helper process; its stderr (glog) is kept for counting records.
struct Launch : QProcess {
    explicit Launch(
        const QStringList& arguments, const QString& folder = QDir::currentPath(),
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        setWorkingDirectory(folder);
        setProcessEnvironment(environment);
        start(Quorvel::TestSupport::HelperProgram("handover_helper"), arguments);
    }
    ~Launch() override {
        kill();
        waitForFinished(5000);
    }
    // The next line on stdout, or "" after `ms`.
    QString Line(int ms = 10000) {
        QElapsedTimer timer;
        timer.start();
        while (!canReadLine() && timer.elapsed() < ms && state() != NotRunning) {
            waitForReadyRead(20);
        }
        return canReadLine() ? QString::fromUtf8(readLine()).trimmed() : QString();
    }
    // A second launch that handed over and ended as a product then does.
    bool HandedOver() { return Line() == "handed" && waitForFinished(5000) && exitCode() == 0; }
    // glog records of a severity ('E', 'W') on stderr so far that contain `text`.
    int Records(char severity, const QString& text) {
        QTest::qWait(20);
        errors += readAllStandardError();
        int count = 0;
        for (const QByteArray& line : errors.split('\n')) {
            count += line.size() > 1 && line[0] == severity && std::isdigit(line[1]) &&
                     line.contains(text.toUtf8());
        }
        return count;
    }
    QByteArray errors;
};

QString Received(const QString& folder, const QStringList& arguments) {
    const QJsonArray line = QJsonArray::fromStringList(QStringList{folder} + arguments);
    return "received " + QJsonDocument(line).toJson(QJsonDocument::Compact);
}

QString FreshKey() {
    return QStringLiteral("handover test %1").arg(QRandomGenerator::global()->generate());
}

// A runtime folder of the test's own, so that it sees only its own socket.
QProcessEnvironment RuntimeIn(const QTemporaryDir& folder) {
    ::chmod(folder.path().toLocal8Bit(), 0700);
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", folder.path());
    return environment;
}

QString SocketIn(const QString& folder) {
    const QStringList found = QDir(folder).entryList({"quorvel-handover-*"}, QDir::System);
    return found.size() == 1 ? folder + "/" + found[0] : QString();
}

QByteArray Header(std::uint32_t version, std::uint32_t length) {
    char numbers[8];
    qToBigEndian(version, numbers);
    qToBigEndian(length, numbers + 4);
    return QByteArray(kMagic, 4) + QByteArray(numbers, 8);
}

}  // namespace

class InstanceHandoverTest : public QObject {
    Q_OBJECT

private slots:
    void handsOverExactly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder");
        QTest::newRow("spaces") << QStringList{"some/a file.txt", "--title=two words"} << "plain";
        QTest::newRow("non-ASCII, also in the folder")
            << QStringList{"Grüße/файл.txt", "日本語"} << "dossier é";
        QTest::newRow("an empty argument") << QStringList{"", "x", ""} << "with space";
        QTest::newRow("none") << QStringList{} << "plain";
    }
    void handsOverExactly() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(folder));
        const QString key = FreshKey();
        Launch primary({key});
        QCOMPARE(primary.Line(), QString("primary"));
        const QString where = QDir(root.path() + "/" + folder).canonicalPath();
        QVERIFY(Launch(QStringList{key} + arguments, where).HandedOver());
        QCOMPARE(primary.Line(), Received(where, arguments));
    }

    void twentyAtOnceGiveOnePrimary() {
        const QString key = FreshKey();
        std::vector<std::unique_ptr<Launch>> launches;
        for (int i = 0; i < 20; ++i) {
            launches.push_back(
                std::make_unique<Launch>(QStringList{key, QString("launch %1").arg(i)}));
        }
        Launch* primary = nullptr;
        QStringList handed, received;
        for (int i = 0; i < 20; ++i) {
            if (launches[i]->Line() == "primary") {
                QVERIFY2(!primary, "two primaries");
                primary = launches[i].get();
            } else {
                QVERIFY(launches[i]->waitForFinished(5000) && launches[i]->exitCode() == 0);
                handed << Received(QDir::currentPath(), {QString("launch %1").arg(i)});
            }
        }
        QVERIFY(primary);
        for (QString line;
             received.size() < handed.size() && !(line = primary->Line(3000)).isEmpty();) {
            received << line;
        }
        qInfo("20 launches at once: 1 primary, %d handed over, %d received", int(handed.size()),
              int(received.size()));
        handed.sort();
        received.sort();
        QCOMPARE(received, handed);
    }

    void killedPrimaryIsReplacedAtOnce() {
        const QString key = FreshKey(), here = QDir::currentPath();
        QTemporaryDir runtime;
        const auto environment = RuntimeIn(runtime);
        {
            Launch killed({key}, here, environment);
            QCOMPARE(killed.Line(), QString("primary"));
        }  // SIGKILL
        QVERIFY2(!SocketIn(runtime.path()).isEmpty(), "the killed primary left no socket behind");
        QElapsedTimer timer;
        timer.start();
        Launch next({key}, here, environment);
        QCOMPARE(next.Line(), QString("primary"));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(Launch({key, "after"}, here, environment).HandedOver());
        QCOMPARE(next.Line(), Received(QDir::currentPath(), {"after"}));
    }

    // The late launch is either taken before the primary goes, or says so and takes over.
    void launchDuringQuitIsNeitherStuckNorLost() {
        const QString key = FreshKey();
        Launch primary({key});
        QCOMPARE(primary.Line(), QString("primary"));
        QVERIFY(Launch({key, "--quit-slowly"}).HandedOver());
        Launch late({key, "late"});
        const QString answer = late.Line(5000);
        QVERIFY(primary.waitForFinished(5000));
        const QString taken = QString::fromUtf8(primary.readAllStandardOutput());
        if (answer == "handed") {
            QVERIFY(taken.contains(Received(QDir::currentPath(), {"late"})));
        } else {
            QCOMPARE(answer, QString("alone"));
            QCOMPARE(late.Records('W', "could not be handed"), 1);
            QCOMPARE(late.Line(3000), QString("primary"));
        }
    }

    // The private folder keeps other users out first; this opens it to see the second wall.
    void anotherUsersMessageIsRefused() {
        if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty()) {
            QSKIP("needs root and setpriv to run a launch as the user nobody");
        }
        QTemporaryDir runtime;
        Launch primary({FreshKey()}, QDir::tempPath(), RuntimeIn(runtime));
        QCOMPARE(primary.Line(), QString("primary"));
        const QString socket = SocketIn(runtime.path());
        QVERIFY(::chmod(runtime.path().toLocal8Bit(), 0711) == 0);
        QVERIFY(::chmod(socket.toLocal8Bit(), 0777) == 0);
        QProcess stranger;
        stranger.setWorkingDirectory(QDir::tempPath());
        stranger.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                   Quorvel::TestSupport::HelperProgram("handover_helper"),
                                   "--send-to", socket, "from nobody"});
        QVERIFY(stranger.waitForFinished(10000));
        QCOMPARE(stranger.exitCode(), 1);
        QTRY_COMPARE(primary.Records('W', "of user id 65534 is refused"), 1);
        QCOMPARE(primary.Line(300), QString());
    }

    void refusesPlacesOthersCouldTouch_data() {
        QTest::addColumn<QString>("place");
        QTest::newRow("socket path is a symbolic link") << "link";
        QTest::newRow("runtime folder open to all") << "open";
        QTest::newRow("runtime folder of another owner") << "owner";
    }
    void refusesPlacesOthersCouldTouch() {
        QFETCH(QString, place);
        QTemporaryDir runtime, temp;
        const QByteArray folder = runtime.path().toLocal8Bit();
        auto environment = RuntimeIn(runtime);
        environment.insert("TMPDIR", temp.path());  // where the fallback folder goes
        const QString key = FreshKey();
        QString named = runtime.path();
        if (place == "link") {
            Launch({key}, QDir::tempPath(), environment).Line();  // killed, its socket left
            named = SocketIn(runtime.path());
            QVERIFY(QFile::remove(named) && QFile::link(temp.path(), named));
        } else if (place == "open") {
            QVERIFY(::chmod(folder, 0777) == 0);
        } else if (::geteuid() == 0) {
            QVERIFY(::chown(folder, 65534, 65534) == 0);
        } else {
            named = "/";
            environment.insert("XDG_RUNTIME_DIR", named);
        }
        Launch primary({key}, QDir::tempPath(), environment);
        QCOMPARE(primary.Line(), QString("primary"));
        QCOMPARE(primary.Records('E', "[" + named + "]"), 1);
        QCOMPARE(primary.Records('E', ""), 1);
        if (place == "link") {
            QVERIFY(QFileInfo(named).isSymLink());
        } else {
            QVERIFY(SocketIn(named).isEmpty());
        }
    }

    void dropsBadInputAndServesOn_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("close");  // whether the sender ends the connection
        const QByteArray valid = EncodeHandoverMessage({{"a", "b"}, "/"});
        QTest::newRow("silent, kept open") << QByteArray() << false;
        QTest::newRow("more than 64 KiB")
            << Header(kProtocolVersion, 70000) + QByteArray(70000, 'x') << false;
        QTest::newRow("another protocol version") << Header(2, 0) << false;
        QTest::newRow("cut in the middle") << valid.left(valid.size() - 3) << true;
        QTest::newRow("not the message format") << QByteArray("GET / HTTP/1.0\r\n\r\n") << false;
        QTest::newRow("texts not filling it")
            << Header(kProtocolVersion, 4) + QByteArray("\0\0\0\5", 4) << false;
        QTest::newRow("trailing bytes") << valid + "x" << false;
    }
    void dropsBadInputAndServesOn() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, close);
        if (!m_primary) {
            m_key = FreshKey();
            m_primary = std::make_unique<Launch>(QStringList{m_key}, QDir::currentPath(),
                                                 RuntimeIn(m_runtime));
            QCOMPARE(m_primary->Line(), QString("primary"));
        }
        const int before = m_primary->Records('W', "is dropped: ");
        QLocalSocket bad;
        bad.connectToServer(SocketIn(m_runtime.path()));
        QVERIFY(bad.waitForConnected(2000));
        bad.write(bytes);
        bad.waitForBytesWritten(500);  // the primary may have cut it short
        if (close) {
            bad.disconnectFromServer();
        }
        // Served while the bad connection may still be open.
        QVERIFY(Launch({m_key, "next"}, QDir::currentPath(), RuntimeIn(m_runtime)).HandedOver());
        QCOMPARE(m_primary->Line(), Received(QDir::currentPath(), {"next"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_primary->Records('W', "is dropped: "), before + 1, 4000);
        QTest::qWait(100);
        QCOMPARE(m_primary->Records('W', "is dropped: "), before + 1);
    }

private:
    QTemporaryDir m_runtime;
    std::unique_ptr<Launch> m_primary;
    QString m_key;
};

QUORVEL_TEST_MAIN_CORE(InstanceHandoverTest)
#include "tst_InstanceHandover.moc"
