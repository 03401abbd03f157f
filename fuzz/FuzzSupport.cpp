#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <glog/logging.h>

#include <cstdio>
#include <cstdlib>

namespace Quorvel::Fuzz {

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

const QString& ScratchFolder() {
    static QTemporaryDir folder(QDir::tempPath() + "/quorvel-fuzz-XXXXXX");
    static const QString path = folder.path();
    return path;
}

void Prepare() {
    static const bool prepared = [] {
        google::InitGoogleLogging("quorvel-fuzz");
        FLAGS_logtostderr = true;
        FLAGS_minloglevel = google::GLOG_FATAL;
        qInstallMessageHandler(Silent);
        // Qt's test mode keeps settings and data in the user's folders; the user is ours.
        qputenv("HOME", QFile::encodeName(ScratchFolder()));
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        QStandardPaths::setTestModeEnabled(true);
        return true;
    }();
    (void)prepared;
}

QString DataFolder(const QStringList& locales) {
    const QString root = ScratchFolder() + "/data";
    for (const QString& locale : locales) {
        FUZZ_CHECK(QDir().mkpath(root + "/resources/locales/" + locale));
    }
    return root;
}

QString WriteScratchFile(const QString& name, const QByteArray& bytes) {
    const QString path = ScratchFolder() + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "fuzz: %s:%d: this does not hold: %s\n", file, line, condition);
    std::abort();
}

}  // namespace Quorvel::Fuzz
