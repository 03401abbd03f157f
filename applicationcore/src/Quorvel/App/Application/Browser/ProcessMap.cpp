#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include "ProcessLister.h"

#include <QFile>
#include <QFileInfo>

namespace Quorvel::App {
namespace {

[[maybe_unused]] QString FromNative(const std::wstring& path) {
    return QString::fromStdWString(path);
}

[[maybe_unused]] QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

std::map<QString, QString> GetCurrentProcessMap(std::function<bool(const QString&)> filter) {
    std::map<QString, QString> processes;
    for (const Platform::NativePath& native : Platform::ListProcessExecutables()) {
        const QString path = FromNative(native);
        const QString name = QFileInfo(path).fileName().toLower();
        if (filter(name)) {
            processes[name] = path;
        }
    }
    return processes;
}

}  // namespace Quorvel::App
