#include <Quorvel/TestSupport/TestEnvironment.h>

#include <glog/logging.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace Quorvel::TestSupport {

namespace {
QString testDirectory;
}

QString HelperProgram(const QString& name) { return testDirectory + "/" + name; }

bool WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           (!permissions || file.setPermissions(permissions));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RunOnThreads(int count, const std::function<void(int)>& work) {
    std::vector<std::thread> threads;
    for (int t = 0; t < count; ++t) threads.emplace_back(work, t);
    for (std::thread& thread : threads) thread.join();
}

void InitTestEnvironment(const char* argv0) {
    testDirectory = QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
    QStandardPaths::setTestModeEnabled(true);

    // Lives as long as the process; removed at exit with everything in it.
    static QTemporaryDir runtimeDir(QDir::tempPath() + "/quorvel-test-runtime-XXXXXX");
    if (runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ::setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    }

    FLAGS_logtostderr = true;
    if (!google::IsGoogleLoggingInitialized()) {
        google::InitGoogleLogging(argv0);
    }
}

}  // namespace Quorvel::TestSupport
