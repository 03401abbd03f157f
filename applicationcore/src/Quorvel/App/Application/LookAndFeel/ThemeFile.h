#pragma once

// Private to the application core; not installed.

#include <QByteArray>
#include <QString>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// The bytes of a file of a theme's resources (a style sheet, a placeholder file, a font
// manifest); empty when it is missing, which is no error, or refused, which is reported.
QByteArray ReadThemeFile(const QString& path, qint64 limit, ReportedProblems& problems);

}  // namespace Quorvel::App::LookAndFeel
