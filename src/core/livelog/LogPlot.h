// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/livelog/LogRow.h"
#include "core/survey/Drawing.h"

namespace km905 {

// A logged period reduced to its pixel columns as the rows stream by: each column keeps the
// least and greatest reading and its first and last, so memory grows with the width of the
// picture, not with the rows (a week at 1 s is 604,800 of them).
class LogPlotColumns {
  public:
    LogPlotColumns(qint64 fromSecs, qint64 toSecs, int columns);
    void add(const ParsedLogRow& row);

    struct Column {
        float min = 0, max = 0, first = 0, last = 0;
        bool any = false;
        bool gapBefore = false;  // a row without a reading came since the last reading
    };
    const std::vector<Column>& columns() const { return m_columns; }
    qint64 fromSecs() const { return m_from; }
    qint64 toSecs() const { return m_to; }
    // Local midnights where the rows' date changes: time and the new date's text.
    struct DayStart {
        qint64 secs;
        QString date;
    };
    const std::vector<DayStart>& dayStarts() const { return m_days; }
    qint64 rows() const { return m_rows; }

  private:
    qint64 m_from, m_to;
    std::vector<Column> m_columns;
    std::vector<DayStart> m_days;
    std::optional<qint64> m_lastDay;
    bool m_gap = false;
    qint64 m_rows = 0;
};

// The plot's frame in the picture's unit (pixels, or points on paper).
struct LogPlotFrame {
    double width = 1600, height = 600;
    double left = 80, top = 40, right = 24, bottom = 56;
    double plotWidth() const { return width - left - right; }
    double plotHeight() const { return height - top - bottom; }
};

// Round axis values spanning lo..hi: a step of 1, 2 or 5 times a power of ten, 4 to 10 of
// them.
struct YAxis {
    double bottom = 0, top = 1, step = 1;
};
YAxis fittedYAxis(double lo, double hi);

// The picture: title, frame, grid and Y labels in lux, day boundaries with their dates, and
// the curve drawn through the graph core's column-merged polyline.
Drawing logPlotDrawing(const LogPlotColumns& c, const LogPlotFrame& frame, const QString& title);

}  // namespace km905
