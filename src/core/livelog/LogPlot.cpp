// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/livelog/LogPlot.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "core/graph/PlotRect.h"
#include "core/graph/Polyline.h"

namespace km905 {

namespace {
constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kGrid{215, 215, 215};
constexpr Rgb kDayLine{60, 100, 200};
constexpr Rgb kCurve{180, 30, 30};
constexpr double kLabelSize = 13;

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

LogPlotColumns::LogPlotColumns(qint64 fromSecs, qint64 toSecs, int columns)
    : m_from(fromSecs),
      m_to(std::max(toSecs, fromSecs)),
      m_columns(static_cast<size_t>(std::max(1, columns))) {}

void LogPlotColumns::add(const ParsedLogRow& row) {
    ++m_rows;
    const qint64 day = floorDiv(row.timeSecs + row.offsetSecs, 86400);
    if (m_lastDay && day != *m_lastDay) {
        const qint64 midnight = day * 86400 - row.offsetSecs;
        m_days.push_back(
            {midnight,
             QDateTime::fromSecsSinceEpoch(day * 86400, Qt::UTC).date().toString(Qt::ISODate)});
    }
    m_lastDay = day;
    if (!row.lux) {
        m_gap = true;
        return;
    }
    if (row.timeSecs < m_from || row.timeSecs > m_to) return;
    const qint64 span = m_to - m_from;
    const qint64 last = static_cast<qint64>(m_columns.size()) - 1;
    const size_t i = static_cast<size_t>(span == 0 ? 0 : (row.timeSecs - m_from) * last / span);
    Column& c = m_columns[i];
    const float v = static_cast<float>(*row.lux);
    if (!c.any) {
        c = {v, v, v, v, true, m_gap};
    } else {
        c.min = std::min(c.min, v);
        c.max = std::max(c.max, v);
        c.last = v;
    }
    m_gap = false;
}

YAxis fittedYAxis(double lo, double hi) {
    if (!(hi > lo)) hi = lo + 1;
    const double rough = (hi - lo) / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= rough) break;
    }
    YAxis a;
    a.step = step;
    a.bottom = std::floor(lo / step) * step;
    a.top = std::ceil(hi / step) * step;
    if (a.top <= a.bottom) a.top = a.bottom + step;
    return a;
}

namespace {
QString localText(qint64 secs) {
    return QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

void text(Drawing& d, QRectF box, QString s, TextAlign align, double size = kLabelSize) {
    DrawText t;
    t.box = box;
    t.text = std::move(s);
    t.size = size;
    t.align = align;
    d.texts.push_back(t);
}
}  // namespace

Drawing logPlotDrawing(const LogPlotColumns& c, const LogPlotFrame& f, const QString& title) {
    Drawing d;
    d.rects.push_back({QRectF(0, 0, f.width, f.height), Rgb{255, 255, 255}, std::nullopt, 0});
    const auto& cols = c.columns();
    double lo = 0, hi = 0;
    bool any = false;
    for (const auto& col : cols) {
        if (!col.any) continue;
        lo = any ? std::min<double>(lo, col.min) : col.min;
        hi = any ? std::max<double>(hi, col.max) : col.max;
        any = true;
    }
    // Light is never below zero: an axis from 0 reads at a glance.
    if (any && lo >= 0 && lo < hi / 2) lo = 0;
    const YAxis axis = fittedYAxis(lo, hi);
    const double plotH = f.plotHeight();
    const auto yOf = [&](double v) {
        return f.top + plotH * (axis.top - v) / (axis.top - axis.bottom);
    };
    const auto xOf = [&](qint64 secs) {
        const qint64 span = std::max<qint64>(1, c.toSecs() - c.fromSecs());
        return f.left + static_cast<double>(secs - c.fromSecs()) *
                            static_cast<double>(cols.size() - 1) / static_cast<double>(span);
    };
    const double right = f.left + f.plotWidth();
    const double bottom = f.top + plotH;

    for (double v = axis.bottom; v <= axis.top + axis.step / 2; v += axis.step) {
        const double y = yOf(v);
        d.lines.push_back({QPointF(f.left, y), QPointF(right, y), kGrid, 1});
        text(d, QRectF(0, y - 9, f.left - 8, 18), QString::number(v, 'g', 7), TextAlign::Right);
    }
    text(d, QRectF(0, f.top - 30, f.left + 200, 18), QStringLiteral("lux"), TextAlign::Left);
    for (const auto& day : c.dayStarts()) {
        const double x = xOf(day.secs);
        if (x < f.left || x > right) continue;
        d.lines.push_back({QPointF(x, f.top), QPointF(x, bottom), kDayLine, 1});
        text(d, QRectF(x + 4, f.top + 2, 120, 18), day.date, TextAlign::Left);
    }
    text(d, QRectF(f.left, bottom + 8, 300, 18), localText(c.fromSecs()), TextAlign::Left);
    text(d, QRectF(right - 300, bottom + 8, 300, 18), localText(c.toSecs()), TextAlign::Right);
    text(d, QRectF(f.left, 6, f.plotWidth(), 22), title, TextAlign::Centre, 15);

    // The curve: per column its first reading, the span of its readings and its last, joined
    // to the column before unless rows without a reading lie between.
    std::vector<PixelLine> lines;
    {
        ColumnMergedPolyline poly(lines, ClipBox{f.left, f.top, right, bottom});
        std::optional<std::pair<int, int>> previous;
        for (size_t i = 0; i < cols.size(); ++i) {
            const auto& col = cols[i];
            if (!col.any) continue;
            const int x = toPixel(f.left + static_cast<double>(i));
            const int first = toPixel(yOf(col.first)), last = toPixel(yOf(col.last));
            const int top = toPixel(yOf(col.max)), low = toPixel(yOf(col.min));
            if (previous && !col.gapBefore)
                poly.segment(previous->first, previous->second, x, first);
            poly.segment(x, first, x, top);
            poly.segment(x, top, x, low);
            poly.segment(x, low, x, last);
            previous = std::make_pair(x, last);
        }
    }
    // Through the pixels' centres, so a line a pixel wide covers one pixel, not two halves.
    for (const PixelLine& l : lines)
        d.lines.push_back(
            {QPointF(l.x1 + 0.5, l.y1 + 0.5), QPointF(l.x2 + 0.5, l.y2 + 0.5), kCurve, 1});
    d.rects.push_back({QRectF(f.left, f.top, f.plotWidth(), plotH), std::nullopt, kInk, 1});
    return d;
}

}  // namespace km905
