#include <Quorvel/App/Application/CommandLinePath.h>

#include "platform/RawPaths.h"

#include <Quorvel/Reading/LogText.h>

#include <QFile>

#include <glog/logging.h>

#include <optional>
#include <string>

namespace Quorvel::App {

namespace {

// The path to give for `bytes`, which decode to `decoded`.
QString Reachable(const QByteArray& bytes, const QString& decoded) {
    std::string problem;
    const std::string path = Platform::Utf8PathTo(bytes.toStdString(), problem);
    if (path.empty()) {
        LOG(ERROR) << "The path " << Reading::LogText(bytes)
                   << " cannot be used as given: " << problem;
        return decoded;
    }
    return QString::fromStdString(path);
}

// The bytes that `value` was decoded from: a whole argument, or what follows the "=" of
// "--option=value".
std::optional<QByteArray> ArgumentBytes(const QString& value) {
    for (const std::string& argument : Platform::RawArguments()) {
        const QByteArray bytes = QByteArray::fromStdString(argument);
        if (QFile::decodeName(bytes) == value) {
            return bytes;
        }
        const int equals = bytes.indexOf('=');
        if (bytes.startsWith('-') && equals > 0 &&
            QFile::decodeName(bytes.mid(equals + 1)) == value) {
            return bytes.mid(equals + 1);
        }
    }
    return std::nullopt;
}

}  // namespace

QString CommandLinePath(const QString& value) {
    // Bytes that are no UTF-8 are what the decoding replaces.
    if (!value.contains(QChar::ReplacementCharacter)) {
        return value;
    }
    const std::optional<QByteArray> bytes = ArgumentBytes(value);
    return bytes ? Reachable(*bytes, value) : value;
}

QString EnvironmentPath(const char* name) {
    const QByteArray bytes = qgetenv(name);
    const QString decoded = QFile::decodeName(bytes);
    return decoded.contains(QChar::ReplacementCharacter) ? Reachable(bytes, decoded) : decoded;
}

}  // namespace Quorvel::App
