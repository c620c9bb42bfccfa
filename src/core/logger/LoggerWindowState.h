// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

#include "core/logger/LoggerRecordList.h"
#include "core/model/MeterState.h"

namespace km905 {

enum class LoggerMode {
    Download,  // the records of a finished datalogger download
    File,      // graph files opened in the window
};

// Where the Y axis starts when the settings name no position of the table.
inline constexpr int kLoggerDefaultGain = 40;
inline constexpr int kLoggerDefaultOffsetSteps = 0;

// The datalogger window's own state, for as long as it is open.
struct LoggerWindowState {
    LoggerMode mode = LoggerMode::Download;
    int m_gainValue = kLoggerDefaultGain;           // 4, 40, 400, 4000 or 40000
    int m_offsetSteps = kLoggerDefaultOffsetSteps;  // 0, 2, 4, 6, 8 or 10
    int m_gainSel = -1;                             // list positions last read or chosen
    int m_offsetSel = -1;
    int m_logSelRecord = -1;  // downloaded record selected, -1 = none
    QString g_lastGraphPath;  // last graph file chosen in the window

    // Level 0 of the Y axis: (k + m_offsetSteps) × m_gainValue, bottom (k = 0) to top.
    std::array<float, 11> yAxisValues() const;
};

// The opening steps: mode from m_logFromFile, Y scale from the settings file, no graph until a
// row is chosen (unless a file has just been read for this window), then the list's rows.
LoggerWindowState openLoggerWindow(MeterModel& m, LoggerRecordList& list);

// Brings the list up to date, as the original's paint did: the downloaded records once, and a
// graph file just read (its start time is set and m_fileNew cleared). True when rows changed.
bool syncLoggerList(MeterModel& m, LoggerRecordList& list);

// The closing steps: the view's flags, the file list, and the download's arrays when new.
void closeLoggerWindow(LoggerWindowState& s, LoggerRecordList& list, MeterModel& m);

}  // namespace km905
