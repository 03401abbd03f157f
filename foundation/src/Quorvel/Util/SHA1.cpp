#include <Quorvel/Util/SHA1.h>

#include <QCryptographicHash>

#include <algorithm>

namespace Quorvel::Util {

std::string SHA1(const std::string& bytes) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    // QByteArray sizes are int: feed long input in pieces.
    constexpr size_t kChunk = size_t{1} << 30;
    for (size_t offset = 0; offset < bytes.size(); offset += kChunk) {
        const size_t length = std::min(kChunk, bytes.size() - offset);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        hash.addData(QByteArrayView(bytes.data() + offset, static_cast<qsizetype>(length)));
#else
        hash.addData(bytes.data() + offset, static_cast<int>(length));
#endif
    }
    return hash.result().toHex().toStdString();
}

}  // namespace Quorvel::Util
