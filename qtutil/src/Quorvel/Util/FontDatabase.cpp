#include <Quorvel/Util/FontDatabase.h>

#include <QFontDatabase>

#include <glog/logging.h>

namespace Quorvel::Util {

int FontDatabase::addApplicationFont(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
        LOG(ERROR) << "The font [" << path.toStdString() << "] could not be loaded";
    }
    return id;
}

}  // namespace Quorvel::Util
