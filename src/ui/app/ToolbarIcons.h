// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace km905 {

enum class ToolIcon { Save, Open, Run, Stop, Print, UndoZoom, Help, Program, Spreadsheet };

// The toolbar's pictures, drawn from code.
QIcon toolIcon(ToolIcon which);

}  // namespace km905
