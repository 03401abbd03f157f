#pragma once

// Private to the application core; not installed.

#include <QFont>
#include <QString>

#include <optional>

namespace Quorvel::App::LookAndFeel {

// A font size relative to the desktop's default font, "1.0em" or "1.8em", in the unit of that
// font: points, or pixels for a font sized in pixels. More than 0 and at most 10em.
struct RelativeFontSize {
    bool relative = false;  // the value ends in "em"
    QString size;           // "13.5pt"; empty when refused
    QString problem;        // why it is refused
};

RelativeFontSize ResolveRelativeFontSize(const QString& value, const QFont& base);

}  // namespace Quorvel::App::LookAndFeel
