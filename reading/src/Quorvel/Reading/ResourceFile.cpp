#include <Quorvel/Reading/ResourceFile.h>

#include <Quorvel/Reading/Limits.h>

#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <vector>

namespace Quorvel::Reading {

namespace {

// The node flags of the format.
constexpr quint16 kZlib = 0x01;
constexpr quint16 kDirectory = 0x02;
constexpr quint16 kZstd = 0x04;

class Bytes {
public:
    explicit Bytes(const QByteArray& bytes) : m_bytes(bytes) {}
    // Whether [at, at + length) lies within the file.
    bool Has(qint64 at, qint64 length) const {
        return at >= 0 && length >= 0 && at + length <= m_bytes.size();
    }
    quint32 Big32(qint64 at) const { return qFromBigEndian<quint32>(Data(at)); }
    quint16 Big16(qint64 at) const { return qFromBigEndian<quint16>(Data(at)); }
    quint8 At(qint64 at) const { return static_cast<quint8>(m_bytes.at(static_cast<int>(at))); }
    qint64 Size() const { return m_bytes.size(); }
    const uchar* Data(qint64 at) const {
        return reinterpret_cast<const uchar*>(m_bytes.constData()) + at;
    }

private:
    const QByteArray& m_bytes;
};

// Whether the zlib stream of `length` bytes at `at` ends, unpacked to at most `size` bytes.
// Qt doubles its buffer for a stream that ends early or unpacks to more, up to 2 GB.
bool ZlibEndsWithin(const Bytes& file, qint64 at, qint64 length, qint64 size) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return false;
    }
    stream.next_in = const_cast<Bytef*>(file.Data(at));
    stream.avail_in = static_cast<uInt>(length);
    Bytef unpacked[16384];  // thrown away: only the length counts
    qint64 total = 0;
    int result = Z_OK;
    while (result == Z_OK && total <= size) {
        stream.next_out = unpacked;
        stream.avail_out = sizeof unpacked;
        result = inflate(&stream, Z_NO_FLUSH);
        total += qint64(sizeof unpacked - stream.avail_out);
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END && total <= size;
}

// The content size that a zstd frame header states; -1 when it states none or is no frame.
qint64 ZstdContentSize(const Bytes& file, qint64 at, qint64 length) {
    if (length < 6 || file.Big32(at) != 0x28B52FFD) {
        return -1;
    }
    const quint8 descriptor = file.At(at + 4);
    const bool singleSegment = descriptor & 0x20;
    static const int kIdBytes[] = {0, 1, 2, 4};
    static const int kSizeBytes[] = {0, 2, 4, 8};
    const int sizeBytes =
        (descriptor >> 6) == 0 ? (singleSegment ? 1 : 0) : kSizeBytes[descriptor >> 6];
    const qint64 field = at + 5 + (singleSegment ? 0 : 1) + kIdBytes[descriptor & 3];
    if (sizeBytes == 0 || field + sizeBytes > at + length) {
        return -1;
    }
    quint64 size = 0;
    for (int i = sizeBytes - 1; i >= 0; --i) {
        size = (size << 8) | file.At(field + i);
    }
    return sizeBytes == 2 ? qint64(size) + 256 : qint64(size & 0x7FFFFFFFFFFFFFFFull);
}

}  // namespace

QString ResourceFileProblem(const QByteArray& bytes) {
    const Bytes file(bytes);
    if (!file.Has(0, 20) || !bytes.startsWith("qres")) {
        return QStringLiteral("this is no compiled resource file");
    }
    const quint32 version = file.Big32(4);
    if (version < 1 || version > 3) {
        return QStringLiteral("the resource format %1 is unknown").arg(version);
    }
    const qint64 tree = file.Big32(8);
    const qint64 payloads = file.Big32(12);
    const qint64 names = file.Big32(16);
    const qint64 nodeSize = version >= 2 ? 22 : 14;
    if (!file.Has(tree, nodeSize) || !file.Has(payloads, 0) || !file.Has(names, 0)) {
        return QStringLiteral("its header points outside the file");
    }

    // Each node is taken once, from the root: a node reached twice closes a circle.
    const qint64 nodes = (file.Size() - tree) / nodeSize;
    const QString badTree = QStringLiteral("its tree points outside itself or in a circle");
    std::vector<bool> reached(static_cast<size_t>(nodes), false);
    reached[0] = true;
    std::vector<qint64> pending{0};
    while (!pending.empty()) {
        const qint64 node = pending.back();
        pending.pop_back();
        const qint64 at = tree + node * nodeSize;
        if (node != 0) {  // the root has no name
            const qint64 name = names + file.Big32(at);
            if (!file.Has(name, 6) || !file.Has(name + 6, 2 * qint64(file.Big16(name)))) {
                return QStringLiteral("a name lies outside the file");
            }
            // Qt finds entries by path: a name that is no path component leads it in circles.
            QString text(file.Big16(name), Qt::Uninitialized);
            for (int i = 0; i < text.size(); ++i) {
                text[i] = QChar(file.Big16(name + 6 + 2 * i));
            }
            if (text.isEmpty() || text == "." || text == ".." || text.contains('/')) {
                return QStringLiteral("an entry's name is no file name");
            }
        }
        const quint16 flags = file.Big16(at + 4);
        if (flags & kDirectory) {
            const qint64 first = file.Big32(at + 10);
            const qint64 count = file.Big32(at + 6);
            if (first > nodes || count > nodes - first) {
                return badTree;
            }
            for (qint64 child = first; child < first + count; ++child) {
                if (reached[static_cast<size_t>(child)]) {
                    return badTree;
                }
                reached[static_cast<size_t>(child)] = true;
                pending.push_back(child);
            }
            continue;
        }
        const qint64 payload = payloads + file.Big32(at + 10);
        const qint64 length = file.Has(payload, 4) ? file.Big32(payload) : -1;
        if (length < 0 || !file.Has(payload + 4, length)) {
            return QStringLiteral("a file's content lies outside the file");
        }
        // Qt allocates what a compressed payload says it will unpack to. An entry is a font,
        // an image or a sheet: the limit of a font file bounds it.
        const qint64 unpacked = (flags & kZlib)   ? (length >= 4 ? file.Big32(payload + 4) : -1)
                                : (flags & kZstd) ? ZstdContentSize(file, payload + 4, length)
                                                  : 0;
        if (unpacked < 0 || unpacked > Limits::kFontFile) {
            return QStringLiteral("a compressed file's size is missing or above %1 bytes")
                .arg(Limits::kFontFile);
        }
        if ((flags & kZlib) && !ZlibEndsWithin(file, payload + 8, length - 4, unpacked)) {
            return QStringLiteral("a compressed file is damaged");
        }
    }
    return QString();
}

QString ResourceFileProblemAt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "the file cannot be read: " + file.errorString();
    }
    // Only the pages of the tree, the names and the payload headers are touched.
    if (uchar* mapped = file.map(0, file.size())) {
        return ResourceFileProblem(
            QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), int(file.size())));
    }
    return ResourceFileProblem(file.readAll());
}

}  // namespace Quorvel::Reading
