// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <vector>

#include "core/app/OpenFiles.h"
#include "core/app/UserInteraction.h"
#include "core/model/MeterState.h"

namespace km905 {

inline const QString kChooserTitle = QStringLiteral("Open File");
inline const QString kOpenListButtonText = QStringLiteral("Open List file(*.MemDat)");
inline const QString kOpenGraphButtonText = QStringLiteral("Open Graph file(*.AsmDat)");

enum class ChooserButton { ListFile, GraphFile };
enum class WindowToOpen {
    None,        // cancelled, or the file could not be read
    MemoryList,  // in file mode, showing the list file read
    Datalogger,  // in file mode, showing the graph file read
};

// The Open command's chooser, after one of its buttons: the open dialog for that kind of file,
// the file read into the document, and which window the caller opens next. The window's
// file-mode flag is set only when it opens.
WindowToOpen chooseAndOpen(ChooserButton button, MeterModel& m, IUserInteraction& ui);

// A file the program was started with (a double-click in the file manager): an .AsmDat or .CH4
// file is read as the chooser's graph button reads it, anything else as a list file.
WindowToOpen openGivenFile(const QString& path, MeterModel& m, IUserInteraction& ui);

// One window's share of the files the program was started with.
struct GivenOpening {
    WindowToOpen window = WindowToOpen::None;  // MemoryList or Datalogger
    QStringList paths;                         // one list file, or every graph file given
};

// The files the program was started with, in the windows that show them, one window after the
// other in the order given: each list file in a memory list window, and every graph file in the
// one datalogger window, which opens where the first graph file was given.
std::vector<GivenOpening> planGivenFiles(const QStringList& paths);

// Reads the first file of the opening that reads and says which window shows it. The files
// before it were told to the user as they failed; those after it stay in paths, for the open
// window to read (LoggerWindow::openFiles).
WindowToOpen openFirstGiven(GivenOpening& o, MeterModel& m, IUserInteraction& ui);

}  // namespace km905
