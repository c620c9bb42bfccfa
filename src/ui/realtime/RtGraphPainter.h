// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>

#include "core/realtime/RtGraph.h"

namespace km905 {

// Draws a computed graph picture onto the view's surface.
void drawRtGraph(QImage& surface, const RtGraphPicture& p, const QFont& labelFont);

}  // namespace km905
