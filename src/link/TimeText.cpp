#include "TimeText.h"

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
}  // namespace

MeterDateTime localDateTime(qint64 secs) {
    std::time_t t = static_cast<std::time_t>(secs);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

qint64 toEpochSecs(const MeterDateTime& t) {
    std::tm tm = toTm(t);
    return static_cast<qint64>(std::mktime(&tm));
}

QString formatLocalTime(qint64 secs, const char* fmt) {
    return formatMeterTime(localDateTime(secs), fmt);
}

QString formatMeterTime(const MeterDateTime& t, const char* fmt) {
    // Each field is printed as it came, so an impossible date from the meter shows as sent.
    std::tm tm = toTm(t);
    tm.tm_isdst = 0;
    return format(tm, fmt);
}

}  // namespace km905
