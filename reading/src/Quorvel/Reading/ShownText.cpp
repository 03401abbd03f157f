#include <Quorvel/Reading/ShownText.h>

#include <Quorvel/Reading/Limits.h>

#include <QDir>

#include <glog/logging.h>

namespace Quorvel::Reading {

QString ShownText(const QString& text, const QString& file, const QString& member) {
    if (text.size() <= Limits::kShownText) {
        return text;
    }
    int length = Limits::kShownText;
    if (text.at(length - 1).isHighSurrogate()) {
        --length;  // a character beyond U+FFFF is kept whole or not at all
    }
    LOG(WARNING) << QDir::toNativeSeparators(file).toStdString() << ": the member \""
                 << member.toStdString() << "\" has " << text.size()
                 << " characters; only the first " << length << " are used";
    return text.left(length);
}

}  // namespace Quorvel::Reading
