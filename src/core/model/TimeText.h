// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

#include "core/model/MeterTypes.h"

namespace km905 {

// strftime-style formatting of a point in time (seconds since 1970) in local time.
QString formatLocalTime(qint64 secs, const char* format);

// The same formats applied to broken-down fields, without normalising them. A time with a
// field out of range (month 13, hour 25, a year from a damaged file) shows every field as
// dashes, "--/--/-- --:--:--".
QString formatMeterTime(const MeterDateTime& t, const char* format);
bool isValidDateTime(const MeterDateTime& t);
QString unknownTimeText(const char* format);

// Broken-down local time of a point in time, and back; nothing for an impossible time.
MeterDateTime localDateTime(qint64 secs);
std::optional<qint64> toEpochSecs(const MeterDateTime& t);

inline constexpr const char* kStoredTimeFormat = "%m/%d/%y %H:%M:%S";
inline constexpr const char* kClockTimeFormat = "%H:%M:%S";
inline constexpr const char* kFileNameTimeFormat = "%m-%d-%y %H.%M.%S";

}  // namespace km905
