#pragma once

// Private to the core.

#include <QString>

#include <map>

namespace Quorvel::App::Internal {

// Font placeholders ("@name") to their text, in ascending order of the placeholder.
using PlaceholderTable = std::map<QString, QString>;

// Replaces every occurrence of each placeholder in `text`, one placeholder after the other in
// the table's order: the result of one QString::replace per placeholder, so a replacement may
// spoil a later placeholder's occurrences ("@font" before "@fontBold") or complete new ones.
void ReplacePlaceholders(QString& text, const PlaceholderTable& table);

}  // namespace Quorvel::App::Internal
