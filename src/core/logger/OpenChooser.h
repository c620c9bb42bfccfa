// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/OpenFiles.h"
#include "app/UserInteraction.h"
#include "model/MeterState.h"

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

// A file the program was started with (a double-click in the file manager): an .AsmDat file is
// read as the chooser's graph button reads it, anything else as a list file.
WindowToOpen openGivenFile(const QString& path, MeterModel& m, IUserInteraction& ui);

}  // namespace km905
