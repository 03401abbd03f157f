#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>

#include <Quorvel/Util/TextConversion.h>

namespace Quorvel::App::LookAndFeel {

QString ToQt(const Quorvel::ioPath& path) { return Util::Utf8ToQString(path.utf8string()); }

QFileInfoList ListDirectory(const QString& path, QDir::Filters kind,
                            const QStringList& nameFilters) {
    return QDir(path).entryInfoList(nameFilters, kind | QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase);
}

QFileInfoList InstalledFolders(const Quorvel::ioPath& root, const QString& kind) {
    QFileInfoList folders;
    for (const QFileInfo& entry : ListDirectory(ToQt(root / "resources"), QDir::Dirs)) {
        // By base name, so that "themes.old" is searched as well.
        if (entry.baseName() == kind) {
            folders += ListDirectory(entry.absoluteFilePath(), QDir::Dirs);
        }
    }
    return folders;
}

}  // namespace Quorvel::App::LookAndFeel
