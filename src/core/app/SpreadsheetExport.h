// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/app/SaveSequences.h"
#include "core/app/UserInteraction.h"
#include "core/files/SafeFile.h"
#include "core/model/MeterState.h"

namespace km905 {

// Beside each window's Save: the UTF-8 comma-separated export that km905-cli's
// "export --format csv" writes, for spreadsheets and scripts.
inline const QString kSpreadsheetCsvCommandText = QStringLiteral("Export CSV for spreadsheets...");
inline const QString kSpreadsheetCsvFilter = QStringLiteral("CSV for spreadsheets (*.csv)");
inline const QString kSpreadsheetCsvSuffix = QStringLiteral("csv");
inline const QString kSelectRecordToExportText =
    QStringLiteral("Please select the record item that you want to export.");

// Save's proposal as "NAME.utf8.csv" in the same folder: it never takes the name of the
// program's own NAME.csv.
FileDialogRequest spreadsheetCsvRequest(const FileDialogRequest& saveRequest);

// The save dialog and the replace question, then the file through the safe write; a failure
// is told and nothing changes on the disk.
SaveOutcome exportSpreadsheetCsv(IUserInteraction& ui, const FileDialogRequest& request,
                                 const std::function<QByteArray()>& bytes,
                                 const FileSteps& steps = FileSteps::real());

// The real-time recording: the graph file's CSV, one row per stored reading.
SaveOutcome exportRealtimeCsv(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                              const FileSteps& steps = FileSteps::real());
// The datalogger window's displayed graph, whichever way it came.
SaveOutcome exportLoggerGraphCsv(const CDTDoc& doc, IUserInteraction& ui,
                                 const FileSteps& steps = FileSteps::real());
// The memory list shown, downloaded or read from a file; a list that has a file is
// proposed beside it under that file's name, as km905-cli names it.
SaveOutcome exportMemoryListCsv(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                const FileSteps& steps = FileSteps::real());

}  // namespace km905
