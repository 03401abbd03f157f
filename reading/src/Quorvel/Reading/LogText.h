#pragma once

// Internal to the libraries; not installed.

#include <QByteArray>
#include <QString>

#include <string>

namespace Quorvel::Reading {

// Text from outside (a server's answer or header, a file's contents or name, a command-line
// or settings value) as a log record quotes it. Control characters, the characters that
// reorder or end a line, and the backslash are escaped (\n, \r, \t, \e, \\, \xNN, \u{NNNN}),
// so that a quote can neither drive the terminal that shows the log nor forge a record of
// its own; a quote longer than Limits::kLoggedText characters is cut, saying how much more
// there was.
std::string LogText(const QString& text);
// Bytes that are meant to be UTF-8 (a file name on Linux, a server's answer): a byte that is
// not part of a valid sequence is shown as \xNN.
std::string LogText(const QByteArray& bytes);
std::string LogText(const std::string& bytes);

}  // namespace Quorvel::Reading
