#pragma once

// Private to the application core; not installed.

#include <Quorvel/ioPath.h>

#include <QDir>
#include <QFileInfoList>
#include <QString>

namespace Quorvel::App::LookAndFeel {

// How the product's data directory is listed wherever themes and languages are looked for.

QString ToQt(const Quorvel::ioPath& path);

// Entries of one kind in the listing's default order: by name, ignoring case. With a suffix
// (".qm"), only names that end in it, ignoring case, as the name filter "*.qm" would keep.
QFileInfoList ListDirectory(const QString& path, QDir::Filters kind, const QString& suffix = {});

// The folders inside every folder of `<root>/resources` whose base name is `kind` ("themes",
// "locales"), in listing order. Nothing when `<root>/resources` does not exist.
QFileInfoList InstalledFolders(const Quorvel::ioPath& root, const QString& kind);

}  // namespace Quorvel::App::LookAndFeel
