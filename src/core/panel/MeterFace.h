// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "core/model/MeterState.h"
#include "core/realtime/RtGraph.h"

namespace km905 {

// The LCD window of the meter face, in panel pixels.
inline constexpr int kLcdX = 52, kLcdY = 125, kLcdW = 114, kLcdH = 150;
inline constexpr int kBodyW = 220, kBodyH = 620;

enum class FaceFont { Small, Number, Offline, Clock, Tiny, Brand, BrandLine };

struct FaceText {
    QString text;
    FaceFont font;
    int x, y;  // top-left of the text cell
    bool red = false;
};

// End points of the 41 ticks of the arc bar.
struct BarTicks {
    std::array<float, 41> innerX{}, innerY{}, outerX{}, outerY{};
};
const BarTicks& barTicks();

// What the face shows for the current display texts.
struct FacePicture {
    bool offline = false;
    std::vector<FaceText> texts;
    std::vector<PixelLine> lines;  // range underline, bar ticks, brand lines
    int ticksDrawn = 0;            // 0..41
};

FacePicture meterFace(const ViewState& v);

// The display read out in words for assistive technology, from the same texts the face shows:
// "OFFLINE", or "2500 Lux, range 4000, Manu, MAX, HOLD, MEM 12, Time 09:00:05".
QString meterFaceSpoken(const ViewState& v);

}  // namespace km905
