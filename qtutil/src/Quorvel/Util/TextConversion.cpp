#include <Quorvel/Util/TextConversion.h>

namespace Quorvel::Util {

QString Utf8ToQString(const std::string& text) {
    // QString::fromUtf8 takes leading byte-order marks for a header and drops them; here they
    // are text like any other, so they are decoded by hand.
    static const std::string bom = "\xEF\xBB\xBF";
    size_t marks = 0;
    while (text.compare(marks * bom.size(), bom.size(), bom) == 0) {
        ++marks;
    }
    const size_t start = marks * bom.size();
    return QString(static_cast<int>(marks), QChar(0xFEFF)) +
           QString::fromUtf8(text.data() + start, static_cast<int>(text.size() - start));
}

std::string QStringToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace Quorvel::Util
