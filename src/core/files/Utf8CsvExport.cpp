// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/Utf8CsvExport.h"

#include <QRegularExpression>
#include <algorithm>

#include "core/files/TextExport.h"
#include "core/model/TimeText.h"

namespace km905 {

namespace {
constexpr const char* kIsoTimeFormat = "%Y-%m-%dT%H:%M:%S";

// A damaged file may hold half a surrogate pair, which has no UTF-8 form: it reads as U+FFFD.
QString wellFormed(const QString& fromFile) {
    QString text = fromFile;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

// Quoted only when it has to be: a mode text from a damaged file may hold anything, so it
// also never reaches a spreadsheet as a formula. No regular expression here: it refuses text
// that is not well formed and would leave a line break unquoted.
QString textField(const QString& fromFile) {
    const QString text = spreadsheetText(wellFormed(fromFile));
    const bool needsQuotes = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('"') || c == QLatin1Char(',') || c == QLatin1Char('\r') ||
               c == QLatin1Char('\n');
    });
    if (!needsQuotes) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray lines(const QStringList& rows) {
    return (rows.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QString unitWord(int unitFlag) {
    if (unitFlag == 0) return QStringLiteral("lux");
    if (unitFlag == 1) return QStringLiteral("fc");
    return {};
}

// lux, fc and flag columns of one stored reading.
QStringList valueFields(float lux, bool negative) {
    if (lux == kOverRange) return {QString(), QString(), QStringLiteral("OL")};
    const double sign = negative ? -1.0 : 1.0;
    return {QString::asprintf("%.2f", sign * lux), QString::asprintf("%.2f", sign * lux * kLuxToFc),
            QString()};
}

// The list's "%m/%d/%y %H:%M:%S", the meter's years being 2000 + yy.
QString isoFromStoredTime(const QString& stored) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d) (\\d\\d):(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch m = form.match(stored);
    if (!m.hasMatch()) return {};
    const MeterDateTime t{2000 + m.captured(3).toInt(), m.captured(1).toInt(),
                          m.captured(2).toInt(),        m.captured(4).toInt(),
                          m.captured(5).toInt(),        m.captured(6).toInt()};
    return isValidDateTime(t) ? formatMeterTime(t, kIsoTimeFormat) : QString();
}
}  // namespace

QByteArray graphCsvUtf8(const GraphRecord& g) {
    QStringList rows{QStringLiteral("number,time,lux,fc,unit,flag")};
    const std::optional<qint64> start = toEpochSecs(g.start);
    for (size_t i = 0; i < g.readings.size(); ++i) {
        const QString time =
            start ? formatLocalTime(*start + static_cast<qint64>(i) * g.rateSecs, kIsoTimeFormat)
                  : QString();
        const QStringList v = valueFields(g.readings[i], false);
        rows << QStringList{QString::number(i + 1), time, v[0], v[1], unitWord(g.unitFC), v[2]}
                    .join(QLatin1Char(','));
    }
    return lines(rows);
}

QByteArray listCsvUtf8(const std::vector<ListRecord>& records) {
    QStringList rows{QStringLiteral("number,time,lux,fc,unit,mode,flag")};
    for (size_t i = 0; i < records.size(); ++i) {
        const ListRecord& r = records[i];
        const QStringList v = valueFields(r.value, r.sign != 0);
        rows << QStringList{QString::number(i + 1),
                            isoFromStoredTime(r.time),
                            v[0],
                            v[1],
                            r.unitFC ? QStringLiteral("fc") : QStringLiteral("lux"),
                            textField(r.mode),
                            v[2]}
                    .join(QLatin1Char(','));
    }
    return lines(rows);
}

QString utf8CsvPathFor(const QString& path, const QString& extension) {
    QString csv = exportPathFor(path, extension);
    csv.chop(4);  // ".csv"
    return csv + QStringLiteral(".utf8.csv");
}

}  // namespace km905
