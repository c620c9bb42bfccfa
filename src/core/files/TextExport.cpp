// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/TextExport.h"

#include <limits>

#include "core/model/TimeText.h"

namespace km905 {

namespace {
constexpr const char* kRowTimeFormat = " %m/%d/%y %H:%M:%S";

QString unitText(int unitFlag) {
    if (unitFlag == 0) return QStringLiteral("Lux");
    if (unitFlag == 1) return QStringLiteral("FC");
    return {};
}

// The value form of every export and of the memory list: two decimals, or thousands with
// "K" from 1000 up. Each unit computes its thousands with its own factor.
QString exportNumberText(double value, double thousands) {
    if (value >= 1000) return QString::asprintf("%.2fK", thousands);
    return QString::asprintf("%.2f", value);
}

QString luxText(double lux) {
    return exportNumberText(lux, lux * 0.001);
}

QString fcText(double lux) {
    return exportNumberText(lux * kLuxToFc, lux * kLuxToKfcExport);
}

QString fcTextSingle(float lux) {
    return exportNumberText(lux * kLuxToFcSingle, lux * kLuxToKfcSingle);
}

// start + offset, or nothing past what a time can hold (a damaged journal's start time).
std::optional<qint64> rowTime(qint64 start, qint64 offset) {
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    if (offset > 0 ? start > kMax - offset : start < kMin - offset) return std::nullopt;
    return start + offset;
}

// A file's text as one cell of the tab-separated export: a tab or line break in it would
// start another cell or row.
QString tabCellText(const QString& fromFile) {
    QString text = fromFile;
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return spreadsheetText(text);
}
}  // namespace

QString spreadsheetText(const QString& fromFile) {
    for (const QChar c : fromFile) {
        if (c.isSpace()) continue;
        if (c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
            c == QLatin1Char('@'))
            return QLatin1Char('\'') + fromFile;
        break;
    }
    return fromFile;
}

QByteArray utf16Lines(const QStringList& lines) {
    QByteArray out("\xFF\xFE", 2);
    for (const QString& l : lines) {
        const QString line = l + QStringLiteral("\r\n");
        for (qsizetype i = 0; i < line.size(); ++i) {
            char16_t u = line[i].unicode();
            // A surrogate without its partner (from a damaged file) is no UTF-16: U+FFFD.
            if (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
                out.append(static_cast<char>(u & 0xFF));
                out.append(static_cast<char>(u >> 8));
                u = line[++i].unicode();
            } else if (line[i].isSurrogate()) {
                u = 0xFFFD;
            }
            out.append(static_cast<char>(u & 0xFF));
            out.append(static_cast<char>(u >> 8));
        }
    }
    return out;
}

QString graphValueText(float lux, int unitFlag, Precision p) {
    if (lux == kOverRange) {
        if (unitFlag == 0 || unitFlag == 1 || p == Precision::Double) return QStringLiteral("OL");
        return {};
    }
    if (unitFlag == 0) return luxText(lux);
    if (unitFlag != 1) return {};
    return p == Precision::Single ? fcTextSingle(lux) : fcText(lux);
}

QString listValueText(float lux, uint8_t unitFC, uint8_t sign) {
    QString v;
    if (lux == kOverRange) {
        v = QStringLiteral("OL");
    } else if (unitFC == 0) {
        v = luxText(lux);
    } else {
        v = fcText(lux);
    }
    return sign ? QLatin1Char('-') + v : v;
}

QByteArray loggerGraphExport(const GraphRecord& g) {
    QStringList lines{QStringLiteral("NO\tData\tUNIT\tTIME")};
    const std::optional<qint64> start = toEpochSecs(g.start);
    for (size_t i = 0; i < g.readings.size(); ++i) {
        const QString time =
            start ? formatLocalTime(*start + static_cast<qint64>(i) * g.rateSecs, kRowTimeFormat)
                  : unknownTimeText(kRowTimeFormat);
        lines << QStringLiteral("%1\t%2\t%3\t%4")
                     .arg(i + 1)
                     .arg(graphValueText(g.readings[i], g.unitFC, Precision::Double),
                          unitText(g.unitFC), time);
    }
    return utf16Lines(lines);
}

QByteArray realtimeExport(const MeterModel& m) {
    QStringList lines{QStringLiteral("NO\tData\tUNIT\tTIME")};
    const int interval = m.view.m_sampleRateMs / 1000;
    const int frames = std::clamp(m.view.m_frameCount, 0, kFrameSlotCapacity);
    const int unit = m.view.m_viewUnitFC;
    for (int k = 0; k < frames; ++k) {
        const int slot = m.frame.m_frameSlot[static_cast<size_t>(k)];
        if (slot < 0 || slot >= kReadingsCapacity) continue;
        const float v = m.doc.m_readings[static_cast<size_t>(slot)];
        const std::optional<qint64> t =
            rowTime(m.view.m_startTime, static_cast<qint64>(slot) * interval);
        lines << QStringLiteral("%1\t%2\t%3\t%4")
                     .arg(k + 1)
                     .arg(
                         graphValueText(v, unit, Precision::Single), unitText(unit),
                         t ? formatLocalTime(*t, kRowTimeFormat) : unknownTimeText(kRowTimeFormat));
    }
    return utf16Lines(lines);
}

QByteArray listExport(const std::vector<ListRecord>& records) {
    QStringList lines{QStringLiteral("NO\tData\tUNIT\tSTATUS\tTIME")};
    for (size_t i = 0; i < records.size(); ++i) {
        const ListRecord& r = records[i];
        // The mode and time are the file's own texts, except the dashes the program stores
        // for a date the meter could not give.
        const QString timeCell = QLatin1Char(' ') + r.time;
        lines << QStringLiteral("%1\t%2\t%3\t%4\t%5")
                     .arg(i + 1)
                     .arg(listValueText(r.value, r.unitFC, r.sign),
                          r.unitFC ? QStringLiteral("FC") : QStringLiteral("Lux"),
                          tabCellText(r.mode),
                          r.time == unknownTimeText(kStoredTimeFormat) ? timeCell
                                                                       : tabCellText(timeCell));
    }
    return utf16Lines(lines);
}

QString exportPathFor(const QString& path, const QString& extension) {
    QString base = path;
    const QString ext = QLatin1Char('.') + extension;
    if (base.endsWith(ext, Qt::CaseInsensitive)) base.chop(ext.size());
    return base + QStringLiteral(".csv");
}

}  // namespace km905
