#pragma once

#include "FilePair.h"
#include "app/UserInteraction.h"
#include "link/MeterState.h"

namespace km905 {

inline const QString kGraphFilter = QStringLiteral("DataLogger Files (*.AsmDat)");
inline const QString kGraphSuffix = QStringLiteral("AsmDat");
inline const QString kListFilter = QStringLiteral("Memory Files (*.MemDat)");
inline const QString kListSuffix = QStringLiteral("MemDat");

enum class SaveOutcome { Saved, Cancelled, Failed, NotAllowed };

// The main window's Save: the real-time recording as a graph file and its export.
SaveOutcome saveRealtimeRecording(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                  const WriteFunction& write = plainWrite);
// The datalogger window's Save: the displayed graph, named after its start time.
SaveOutcome saveLoggerGraph(const CDTDoc& doc, IUserInteraction& ui,
                            const WriteFunction& write = plainWrite);
// The memory list window's Save; nothing when the list came from a file.
SaveOutcome saveMemoryList(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                           const WriteFunction& write = plainWrite);

}  // namespace km905
