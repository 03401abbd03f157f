#pragma once

// Private to the application core; not installed.

#include <Quorvel/ApplicationCoreExport.h>

#include <QDateTime>

#include <cstdint>

namespace Quorvel::App::Detail {

// Calendar days in local time from the first start (seconds since 1970) to `now`: a first
// start at 23:00 is one day old at 00:30, though not an hour and a half has passed.
QUORVEL_APPLICATIONCORE_EXPORT int DaysPassed(uint32_t firstStart, const QDateTime& now);

}  // namespace Quorvel::App::Detail
