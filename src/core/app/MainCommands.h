// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/SaveSequences.h"
#include "core/app/UserInteraction.h"
#include "core/link/LinkUi.h"
#include "core/link/RecordingSink.h"
#include "core/link/Timers.h"
#include "core/model/MeterState.h"

namespace km905 {

inline const QString kSaveBeforeRunText =
    QStringLiteral("Do you want to save the existing graph data before continuing?");
inline const QString kSaveBeforeCloseText =
    QStringLiteral("Do you want to save the data before closing?");

// The main window's recording commands and the Y axis button, decided here and shown by
// the windows.
class MainCommands {
  public:
    MainCommands(MeterModel& model, IUserInteraction& ui, ILinkUi& views,
                 const ITimerService& clock);

    void run();
    void stop();
    SaveOutcome save();
    SaveOutcome exportCsv();  // File > Export CSV for spreadsheets...
    void yAxis();             // the info bar's "Y Axis" button
    bool print();             // the real-time report
    // The close sequence's offer. A recording of two or more samples is stopped and the user
    // asked; the window may close unless the save asked for failed or was cancelled.
    enum class CloseOffer { NotAsked, Declined, Saved, SaveFailed, Cancelled };
    CloseOffer offerSaveBeforeClose();
    void help(const QString& programDir);

    // For tests: how the files reach the disk.
    void setFileSteps(FileSteps steps) { m_steps = std::move(steps); }
    // Told when a Save or a new Run ends the recording normally.
    void setRecordingSink(IRecordingSink* sink) { m_sink = sink; }

  private:
    MeterModel& m_model;
    IUserInteraction& m_ui;
    ILinkUi& m_views;
    const ITimerService& m_clock;
    FileSteps m_steps = FileSteps::real();
    IRecordingSink* m_sink = nullptr;
};

// help.chm beside the program where there is one, else the help.html shipped with it: beside
// the program in the build tree, in ../share/km905 once installed.
QString helpFilePath(const QString& programDir);

}  // namespace km905
