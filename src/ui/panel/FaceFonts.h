// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "core/panel/MeterFace.h"

namespace km905 {

// The fonts of the meter face: pixel heights, and the narrow faces squeezed to their widths.
QFont faceFont(FaceFont kind);
// The width a character of the font is given on the face; 0 when its own width stands.
int faceCharWidth(FaceFont kind);

}  // namespace km905
