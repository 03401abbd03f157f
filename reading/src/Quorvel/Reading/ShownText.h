#pragma once

// Internal to the libraries; not installed.

#include <QString>

namespace Quorvel::Reading {

// `text` of the member `member` of `file`, cut to Limits::kShownText characters for a user
// interface that shows it; a cut is logged as one WARNING naming the file and the member.
QString ShownText(const QString& text, const QString& file, const QString& member);

}  // namespace Quorvel::Reading
