#pragma once

// Private to the core.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace Quorvel::App::Internal {

// The longest value a diagnostic option takes: a path, or a list of forty locales, fits with
// room to spare; a longer one is a mistake, or an attempt.
constexpr int kMaxOptionValue = 4096;

// The value of `option`. A longer one than kMaxOptionValue is refused with one ERROR naming the
// option and its length, and reads as empty.
QString OptionValue(const QCommandLineParser& parser, const QCommandLineOption& option);

// The longest wait a diagnostic option may ask for: a test that fires later than a day after
// the start is a typing mistake, not a test.
constexpr qint64 kMaxOptionMilliseconds = 24 * 60 * 60 * 1000;

// The value of `option` as a time in milliseconds. A value that is no number at all gives 0, and
// one ERROR names the option and what was given; a number below 0 or above kMaxOptionMilliseconds
// is refused with one ERROR naming the option and the value, and gives nothing: the test must not
// act on it.
std::optional<int> OptionMilliseconds(const QCommandLineParser& parser,
                                      const QCommandLineOption& option);

}  // namespace Quorvel::App::Internal
