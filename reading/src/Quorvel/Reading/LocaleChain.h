#pragma once

// Internal to the libraries; not installed.

#include <QString>
#include <QStringList>

namespace Quorvel::Reading {

// The per-locale tables a reader consults for `locale`, most specific first: "de_DE", then
// its language "de". The reader's default table comes after them.
QStringList LocaleChain(const QString& locale);

}  // namespace Quorvel::Reading
