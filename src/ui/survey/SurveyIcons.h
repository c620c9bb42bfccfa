// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace km905 {

// The memory list's survey buttons, drawn from code: a small coloured grid, a page, and a
// tick in a box.
QIcon gridSymbol();
QIcon reportSymbol();
QIcon requirementSymbol();

}  // namespace km905
