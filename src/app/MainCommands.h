#pragma once

#include "UserInteraction.h"
#include "files/SaveSequences.h"
#include "link/LinkUi.h"
#include "link/MeterState.h"
#include "link/Timers.h"

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
    void yAxis();  // the info bar's "Y Axis" button
    bool print();  // the real-time report
    // The close sequence's offer: true when a save was asked for and answered either way.
    bool offerSaveBeforeClose();
    void help(const QString& programDir);

    // For tests: how the files reach the disk.
    void setWriteFunction(WriteFunction w) { m_write = std::move(w); }

  private:
    MeterModel& m_model;
    IUserInteraction& m_ui;
    ILinkUi& m_views;
    const ITimerService& m_clock;
    WriteFunction m_write = plainWrite;
};

// help.chm beside the program where there is one, else the help.html shipped with it.
QString helpFilePath(const QString& programDir);

}  // namespace km905
