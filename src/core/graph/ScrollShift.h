// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905 {

// A zoomed graph moves sideways by a whole number of samples (m_scrollShift, g_scrollShift)
// counted from the sample that was at the left edge when the level was entered
// (m_firstVisible, g_firstVisible); thumb position p puts sample p - 1 at the left edge.

inline int scrollShiftForThumb(int firstVisible, int thumb) {
    return firstVisible - thumb + 1;
}

inline int thumbForScrollShift(int firstVisible, int scrollShift) {
    return firstVisible - scrollShift + 1;
}

}  // namespace km905
