// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/UserInteraction.h"
#include "core/files/GraphFile.h"
#include "core/files/SafeFile.h"
#include "core/model/MeterState.h"

namespace km905 {

inline const QString kGraphFilter = QStringLiteral("DataLogger Files (*.AsmDat)");
inline const QString kGraphSuffix = QStringLiteral("AsmDat");
inline const QString kListFilter = QStringLiteral("Memory Files (*.MemDat)");
inline const QString kListSuffix = QStringLiteral("MemDat");

enum class SaveOutcome { Saved, Cancelled, Failed, NotAllowed };

// Told when a save failed; the reason is the system's.
QString saveFailedText(const QString& reason);
QString replaceQuestionText(const QString& fileName);
// The save dialog, then the default extension, then the replace question for the final name;
// nothing when the user cancelled either.
std::optional<QString> chooseSavePath(IUserInteraction& ui, const FileDialogRequest& req);

// What each Save proposes: the data folder and a name after the time (the recording's Save
// and the list's the time of the save, the datalogger's the graph's start).
FileDialogRequest realtimeSaveRequest(qint64 nowSecs);
FileDialogRequest loggerSaveRequest(const GraphRecord& g);
FileDialogRequest memoryListSaveRequest(qint64 nowSecs);

// The main window's Save: the real-time recording as a graph file and its export.
SaveOutcome saveRealtimeRecording(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                  const FileSteps& steps = FileSteps::real());
// The datalogger window's Save: the displayed graph, named after its start time.
SaveOutcome saveLoggerGraph(const CDTDoc& doc, IUserInteraction& ui,
                            const FileSteps& steps = FileSteps::real());
// The memory list window's Save; nothing when the list came from a file. savedPath, when
// given, learns the list file's name.
SaveOutcome saveMemoryList(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                           const FileSteps& steps = FileSteps::real(),
                           QString* savedPath = nullptr);

}  // namespace km905
