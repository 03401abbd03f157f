#include <Quorvel/Util/FontDatabase.h>

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <glog/logging.h>

#include <mutex>

namespace Quorvel::Util {

int FontDatabase::addApplicationFont(const QString& path) {
    // Qt adds a file again at every call, under a new id and with another copy of the font,
    // and themes register their fonts at every switch: a path keeps its first id for as long
    // as Qt still has that font.
    static std::mutex mutex;
    static QHash<QString, int> registered;
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = registered.constFind(path);
    if (found != registered.constEnd() &&
        !QFontDatabase::applicationFontFamilies(*found).isEmpty()) {
        return *found;
    }
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
        LOG(ERROR) << "The font [" << path.toStdString() << "] could not be loaded";
        registered.remove(path);
    } else {
        registered.insert(path, id);
    }
    return id;
}

}  // namespace Quorvel::Util
