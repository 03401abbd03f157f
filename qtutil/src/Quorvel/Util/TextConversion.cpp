#include <Quorvel/Util/TextConversion.h>

namespace Quorvel::Util {

QString Utf8ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string QStringToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace Quorvel::Util
