// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/TimeText.h"

#include <ctime>

namespace km905 {

namespace {
std::tm toTm(const MeterDateTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    return tm;
}

QString format(const std::tm& tm, const char* fmt) {
    char buf[128];
    const size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
    return QString::fromLatin1(buf, static_cast<int>(n));
}

bool within(int v, int low, int high) {
    return v >= low && v <= high;
}
}  // namespace

bool isValidDateTime(const MeterDateTime& t) {
    return within(t.year, 1000, 9999) && within(t.month, 1, 12) && within(t.day, 1, 31) &&
           within(t.hour, 0, 23) && within(t.minute, 0, 59) && within(t.second, 0, 60);
}

QString unknownTimeText(const char* fmt) {
    QString out;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += QLatin1Char(*p);
            continue;
        }
        ++p;
        out += *p == 'Y'   ? QStringLiteral("----")
               : *p == '%' ? QStringLiteral("%")
                           : QStringLiteral("--");
    }
    return out;
}

MeterDateTime localDateTime(qint64 secs) {
    std::time_t t = static_cast<std::time_t>(secs);
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &t) != 0) return {};
#else
    if (!localtime_r(&t, &tm)) return {};
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<qint64> toEpochSecs(const MeterDateTime& t) {
    if (!isValidDateTime(t)) return std::nullopt;
    std::tm tm = toTm(t);
    const std::time_t secs = std::mktime(&tm);
    if (secs == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<qint64>(secs);
}

QString formatLocalTime(qint64 secs, const char* fmt) {
    return formatMeterTime(localDateTime(secs), fmt);
}

QString formatMeterTime(const MeterDateTime& t, const char* fmt) {
    // Fields out of range never reach the C library (some runtimes end the program on them).
    if (!isValidDateTime(t)) return unknownTimeText(fmt);
    std::tm tm = toTm(t);
    tm.tm_isdst = 0;
    return format(tm, fmt);
}

}  // namespace km905
