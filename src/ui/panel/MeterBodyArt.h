// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace km905 {

// The picture of the meter body, 220 x 620, with the LCD window at (52,125)-(166,275).
QPixmap meterBodyPixmap();

}  // namespace km905
