// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/MeterState.h"

namespace km905 {

// Follows the real-time recording as it grows, so it can be kept outside the process.
class IRecordingSink {
  public:
    virtual ~IRecordingSink() = default;
    // The first live frame after Run restarted the recording (start time and period set).
    virtual void recordingStarted(const MeterModel& m) = 0;
    // Slot `index` of m_readings is final; fromFrame: a meter frame filled it, not a hold.
    virtual void sampleStored(const MeterModel& m, int index, bool fromFrame) = 0;
    // Saved, replaced by a new Run, or closed with the program: nothing left to keep.
    virtual void recordingEnded() = 0;
};

}  // namespace km905
