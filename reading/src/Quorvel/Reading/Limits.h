#pragma once

// How much outside input a reader takes. A file above its limit is refused, not read: a data
// file linked to /dev/zero or grown by accident must not be read for gigabytes.

#include <QtGlobal>

namespace Quorvel::Reading::Limits {

// customization.json, links.json, fonts.json, title files, font manifests, the desktop entries
// of web browsers: the demo's are under 10 KB, and a links table for forty languages stays
// under 200 KB.
constexpr qint64 kDataFile = 1 << 20;

// A style sheet; a generated sheet of 200 KB is already a large one.
constexpr qint64 kStyleSheet = 16 << 20;

// A theme's compiled resources carry its fonts and images (the demo's are 1.5 MB each).
constexpr qint64 kThemeResource = 256 << 20;

// A font file a theme's manifest names; the demo's are under 1 MB, a font with every CJK
// character 20 to 30 MB.
constexpr qint64 kFontFile = 64 << 20;

// A translation catalogue; a large product's is a few MB.
constexpr qint64 kTranslation = 64 << 20;

// A settings file holds a few hundred keys, a few KB; it is read again before every write.
constexpr qint64 kSettingsFile = 4 << 20;

// A text a user interface shows on one line (names, titles). Text layout of a few hundred
// thousand characters crashes while painting.
constexpr int kShownText = 1024;

// Characters of outside text that one log record quotes: a path or a server's status line
// fits, a whole answer or file does not.
constexpr int kLoggedText = 256;

}  // namespace Quorvel::Reading::Limits
