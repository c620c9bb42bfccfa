// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/app/OpenFiles.h"
#include "core/app/SaveSequences.h"
#include "core/app/UserInteraction.h"
#include "core/logger/LoggerRecordList.h"
#include "core/logger/LoggerWindowState.h"

namespace km905 {

inline const QString kSelectRecordToSaveText =
    QStringLiteral("Please select the record item that you want to save.");
// Graph files, and the older CH4 files read the same way.
inline const QString kLoggerOpenFilter =
    QStringLiteral("DataLogger Files (*.AsmDat);;CH4 Files (*.CH4)");
inline const QString kCh4Suffix = QStringLiteral("CH4");

// The open dialog for a graph file, in the data folder.
FileDialogRequest loggerOpenRequest();
// The name chosen, with ".AsmDat" added unless it ends in ".AsmDat" or ".CH4" (any case).
QString loggerGraphPath(const QString& chosen);

// Save: download mode only, and only with a graph shown. The scale written is the
// m_gainValue of the double-click that chose the record.
SaveOutcome loggerSave(const LoggerWindowState& s, const MeterModel& m, IUserInteraction& ui,
                       const FileSteps& steps = FileSteps::real());

// Export CSV for spreadsheets...: the graph shown, in either mode; in download mode without
// one the user is asked to choose a record.
SaveOutcome loggerExportCsv(const LoggerWindowState& s, const MeterModel& m, IUserInteraction& ui,
                            const FileSteps& steps = FileSteps::real());

// What the open button did.
struct LoggerOpenResult {
    bool restoreFullView = false;  // before the dialog: back to the full view, repaint
    bool dialogAccepted = false;
    std::optional<OpenOutcome> outcome;  // when a file was tried
    bool rowsChanged = false;            // the file was entered in the list
};

// The open button: file mode only. The file read becomes the displayed graph and a new row.
LoggerOpenResult loggerOpenGraph(LoggerWindowState& s, LoggerRecordList& list, MeterModel& m,
                                 IUserInteraction& ui);

// Graph files given to the window in file mode (the program's file arguments), read one after
// the other as the open button reads a chosen one: each a new row, the last read shown.
// True when rows were added.
bool loggerOpenGraphs(const QStringList& paths, LoggerWindowState& s, LoggerRecordList& list,
                      MeterModel& m, IUserInteraction& ui);

// The Y axis button: the dialog's positions become the gain and offset (a position outside the
// table keeps the value) and both are written to the settings file. True after OK: repaint,
// keeping the zoom level.
bool loggerYAxis(LoggerWindowState& s, IUserInteraction& ui);

}  // namespace km905
