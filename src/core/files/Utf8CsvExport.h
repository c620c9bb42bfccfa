// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"

namespace km905 {

// Exports that spreadsheets and scripts read without help, from the windows and km905-cli: UTF-8,
// comma-separated, LF, a header line, ISO 8601 local times, plain numbers in lux and in
// foot-candles; an over-range reading has empty values and the flag "OL".

// number,time,lux,fc,unit,flag; row i at start + i x interval, as the datalogger export.
QByteArray graphCsvUtf8(const GraphRecord& g);
// number,time,lux,fc,unit,mode,flag; a negative record has negative values.
QByteArray listCsvUtf8(const std::vector<ListRecord>& records);

// "x.AsmDat" -> "x.utf8.csv", beside the program's own "x.csv".
QString utf8CsvPathFor(const QString& path, const QString& extension);

}  // namespace km905
