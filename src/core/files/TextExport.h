// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"

namespace km905 {

// UTF-16LE with a byte-order mark, one CRLF-terminated line per entry.
QByteArray utf16Lines(const QStringList& lines);

// The value column of a graph export. The datalogger export uses double-precision
// factors, the real-time one single precision.
enum class Precision { Double, Single };
QString graphValueText(float lux, int unitFlag, Precision p);
QString listValueText(float lux, uint8_t unitFC, uint8_t sign);

// The datalogger window's export of the displayed graph.
QByteArray loggerGraphExport(const GraphRecord& g);
// The real-time export: one row per reading that came from a meter frame.
QByteArray realtimeExport(const MeterModel& m);
QByteArray listExport(const std::vector<ListRecord>& records);

// Text from a file, as a spreadsheet cell that shows it as text: one whose first character
// other than a blank is =, +, - or @ would be read as a formula, so it gets a leading
// apostrophe. Only for free text from files; the program's own texts keep their form.
QString spreadsheetText(const QString& fromFile);

// "x.AsmDat" -> "x.csv"; a path without the extension just gains ".csv".
QString exportPathFor(const QString& path, const QString& extension);

}  // namespace km905
