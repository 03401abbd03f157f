#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>

#include <Quorvel/Util/TextConversion.h>

#include <algorithm>

namespace Quorvel::App::LookAndFeel {

QString ToQt(const Quorvel::ioPath& path) { return Util::Utf8ToQString(path.utf8string()); }

QFileInfoList ListDirectory(const QString& path, QDir::Filters kind, const QString& suffix) {
    QFileInfoList entries =
        QDir(path).entryInfoList(kind | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    // A name filter ("*.qm") would cost a regular expression at every listing.
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&suffix](const QFileInfo& entry) {
                                     return !entry.fileName().endsWith(suffix, Qt::CaseInsensitive);
                                 }),
                  entries.end());
    return entries;
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
