// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/model/MeterState.h"

namespace km905 {

// One row of a long log: the reading nearest one tick, or the tick's note that none came.
// UTF-8, comma-separated, one line each, as `km905-cli export --format csv` writes:
// time,lux,fc,unit,range,flags
struct LogRow {
    qint64 timeSecs = 0;
    std::optional<float> lux;  // nothing: no reading (missing, or over range with flag OL)
    QString unit;              // "lux" or "fc", as the meter showed it; empty when missing
    QString range;             // the range label the meter showed, "4k"
    QStringList flags;
};

inline const QByteArray kLogHeader = QByteArrayLiteral("time,lux,fc,unit,range,flags\n");

// The annunciators of the display after a live frame: OL HOLD MAX MIN PMAX PMIN Manu MEMnn
// REC LOWBAT.
QStringList displayFlags(const ViewState& v);
// The reading the last live frame brought, as one row at a given time.
LogRow rowFromDisplay(const MeterModel& m, qint64 timeSecs);

// "2025-12-08T10:00:00+01:00": ISO 8601 in local time with its offset from UTC.
QString isoLocalTime(qint64 secs);
QByteArray logRowLine(const LogRow& row);

// A row read back: its time in seconds since 1970 and its lux, nothing when it holds no
// reading; its date text marks the local day. Nothing for a line that is not a row.
struct ParsedLogRow {
    qint64 timeSecs = 0;
    int offsetSecs = 0;  // of its local time from UTC
    std::optional<double> lux;
};
std::optional<ParsedLogRow> parseLogRow(const char* line, size_t size);

}  // namespace km905
