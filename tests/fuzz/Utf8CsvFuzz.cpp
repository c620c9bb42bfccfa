// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a graph or list file decodes to, through the UTF-8 exports: valid UTF-8,
// a header line, then one LF-ended row per reading with every field in its place.
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/files/Utf8CsvExport.h"

using namespace km905;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// The rows of a comma-separated text, fields unquoted; nothing when a quote is left open.
std::optional<std::vector<QStringList>> parseCsv(const QString& text) {
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            field.clear();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !row.isEmpty()) return std::nullopt;
    return rows;
}

void checkCsv(const QByteArray& out, qsizetype entries, qsizetype fields) {
    const QString text = QString::fromUtf8(out);
    check(text.toUtf8() == out);  // nothing a UTF-8 reader would replace
    check(out.endsWith('\n'));
    const std::optional<std::vector<QStringList>> rows = parseCsv(text);
    check(rows.has_value() && static_cast<qsizetype>(rows->size()) == entries + 1);
    for (qsizetype k = 0; k <= entries; ++k) {
        const QStringList& row = (*rows)[static_cast<size_t>(k)];
        check(row.size() == fields);
        if (k > 0) check(row[0] == QString::number(k));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const GraphReadResult g = readGraphFile(bytes);
    if (g.status != GraphReadResult::Status::InvalidFormat)
        checkCsv(graphCsvUtf8(g.record), static_cast<qsizetype>(g.record.readings.size()), 6);
    const ListReadResult l = readListFile(bytes);
    checkCsv(listCsvUtf8(l.records), static_cast<qsizetype>(l.records.size()), 7);
    return 0;
}
