#pragma once

// Private to the application core; not installed.

#include <QByteArray>
#include <QString>

#include <map>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// Theme files read ahead, by resource path; missing and refused ones are empty.
using PrereadThemeFiles = std::map<QString, QByteArray>;

// The bytes of a file of a theme's resources (a style sheet, a placeholder file, a font
// manifest); empty when it is missing, which is no error, or refused, which is reported.
// Taken from `preread` when it holds the path.
QByteArray ReadThemeFile(const QString& path, qint64 limit, ReportedProblems& problems,
                         const PrereadThemeFiles* preread = nullptr);

}  // namespace Quorvel::App::LookAndFeel
