// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "core/app/UserInteraction.h"
#include "core/model/MeterState.h"

namespace km905 {

inline const QString kInvalidFormatText = QStringLiteral("Invalid Format!");

// Names the file: several given at once are told apart.
QString openFailedText(const QString& path, const QString& reason);

enum class OpenOutcome { Opened, InvalidFormat, Truncated, Unreadable };

// Reads a graph file into the displayed-graph record; a wrong file says "Invalid Format!"
// and changes nothing.
OpenOutcome openGraphFile(const QString& path, MeterModel& m, IUserInteraction& ui);
// Reads a list file into the memory arrays, likewise.
OpenOutcome openListFile(const QString& path, MeterModel& m, IUserInteraction& ui);

}  // namespace km905
