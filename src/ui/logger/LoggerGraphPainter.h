// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>

#include "core/logger/LoggerGraph.h"

namespace km905 {

// Draws the datalogger window's picture over `client` (background, plot, lines, texts,
// cursor line and zoom drag); the curve and time grid are clipped to the plot.
void drawLoggerGraph(QPainter& p, const LoggerGraphPicture& pic, const QRect& client);

}  // namespace km905
