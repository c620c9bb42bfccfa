// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/livelog/LogRow.h"

#include <QDateTime>
#include <algorithm>
#include <cstdlib>

namespace km905 {

QStringList displayFlags(const ViewState& v) {
    QStringList flags;
    if (v.m_lcdValue.contains(QLatin1String("OL"))) flags << QStringLiteral("OL");
    for (const QString& shown : {v.m_lcdHold, v.m_lcdMode})
        if (!shown.trimmed().isEmpty()) flags << shown.trimmed();
    const QString memory = v.m_lcdMemFlag.trimmed();
    if (!memory.isEmpty()) flags << memory + v.m_lcdMemNo.trimmed();
    if (v.m_batteryText == QLatin1String("Low")) flags << QStringLiteral("LOWBAT");
    return flags;
}

LogRow rowFromDisplay(const MeterModel& m, qint64 timeSecs) {
    LogRow row;
    row.timeSecs = timeSecs;
    const int slot = std::clamp(m.view.m_sampleIndex, 0, kReadingsCapacity - 1);
    const float reading = m.doc.m_readings[static_cast<size_t>(slot)];
    if (reading != kOverRange)
        row.lux = m.view.m_lcdValue.startsWith(QLatin1Char('-')) ? -reading : reading;
    row.unit = m.frame.m_unitFC == 1 ? QStringLiteral("fc") : QStringLiteral("lux");
    row.range = m.view.m_lcdRange;
    row.flags = displayFlags(m.view);
    return row;
}

QString isoLocalTime(qint64 secs) {
    const int offset = QDateTime::fromSecsSinceEpoch(secs).offsetFromUtc();
    const QDateTime t = QDateTime::fromSecsSinceEpoch(secs + offset, Qt::UTC);
    const QDate d = t.date();
    const QTime c = t.time();
    const int a = std::abs(offset);
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", d.year(), d.month(),
                             d.day(), c.hour(), c.minute(), c.second(), offset < 0 ? '-' : '+',
                             a / 3600, a % 3600 / 60);
}

QByteArray logRowLine(const LogRow& row) {
    QString line = isoLocalTime(row.timeSecs);
    if (row.lux)
        line += QString::asprintf(",%.2f,%.2f,", *row.lux, *row.lux * kLuxToFc);
    else
        line += QStringLiteral(",,,");
    line += row.unit + QLatin1Char(',') + row.range + QLatin1Char(',') +
            row.flags.join(QLatin1Char(' ')) + QLatin1Char('\n');
    return line.toUtf8();
}

namespace {
// Digits at [at, at + n); -1 when any is not a digit.
int digits(const char* s, size_t at, size_t n) {
    int v = 0;
    for (size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
qint64 daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}
}  // namespace

std::optional<ParsedLogRow> parseLogRow(const char* s, size_t size) {
    // "YYYY-MM-DDTHH:MM:SS+hh:mm," then lux.
    constexpr size_t kTimeLength = 25;
    if (size < kTimeLength + 1 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' ||
        s[16] != ':' || (s[19] != '+' && s[19] != '-') || s[22] != ':' || s[kTimeLength] != ',')
        return std::nullopt;
    const int year = digits(s, 0, 4), month = digits(s, 5, 2), day = digits(s, 8, 2);
    const int hour = digits(s, 11, 2), minute = digits(s, 14, 2), second = digits(s, 17, 2);
    const int oh = digits(s, 20, 2), om = digits(s, 23, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 60 || oh < 0 || om < 0)
        return std::nullopt;
    ParsedLogRow row;
    row.offsetSecs = (s[19] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    row.timeSecs = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second -
                   row.offsetSecs;
    const char* lux = s + kTimeLength + 1;
    const char* end = s + size;
    if (lux < end && *lux != ',') {
        char* stop = nullptr;
        const double v = std::strtod(lux, &stop);
        if (stop != lux && stop <= end) row.lux = v;
    }
    return row;
}

}  // namespace km905
