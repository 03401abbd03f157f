#pragma once

// Private to the core.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace Quorvel::App::Internal {

// The longest value a diagnostic option takes: a path, or a list of forty locales, fits with
// room to spare; a longer one is a mistake, or an attempt.
constexpr int kMaxOptionValue = 4096;

// The value of `option`. A longer one than kMaxOptionValue is refused with one ERROR naming the
// option and its length, and reads as empty.
QString OptionValue(const QCommandLineParser& parser, const QCommandLineOption& option);

// The value of `option` as a base-10 int, or 0 when it is not one (out of range, not a number):
// then one ERROR names the option and the start of what was given.
int OptionNumber(const QCommandLineParser& parser, const QCommandLineOption& option);

}  // namespace Quorvel::App::Internal
