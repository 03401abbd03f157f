#pragma once

// Private to the application core; not installed.

#include <Quorvel/App/Application/LookAndFeel/FontPlaceholders.h>

#include <QString>

namespace Quorvel::App::LookAndFeel {

// Replaces every occurrence of each placeholder in `text`, one placeholder after the other in
// the table's order: the result of one QString::replace per placeholder, so a replacement may
// spoil a later placeholder's occurrences ("@font" before "@fontBold") or complete new ones.
// Values may name later placeholders, so a few hundred bytes of font configuration could grow
// the text without bound: the placeholder that would make it longer than `limit` characters
// and those after it stay as they are, and the first of them is returned (null if none).
QString ReplacePlaceholders(QString& text, const FontPlaceholders& table, qint64 limit);

}  // namespace Quorvel::App::LookAndFeel
