#pragma once

// Private to the application core; not installed.

#include <Quorvel/App/Application/LookAndFeel/FontPlaceholders.h>

#include <QString>

namespace Quorvel::App::LookAndFeel {

// Replaces every occurrence of each placeholder in `text`, one placeholder after the other in
// the table's order: the result of one QString::replace per placeholder, so a replacement may
// spoil a later placeholder's occurrences ("@font" before "@fontBold") or complete new ones.
void ReplacePlaceholders(QString& text, const FontPlaceholders& table);

}  // namespace Quorvel::App::LookAndFeel
