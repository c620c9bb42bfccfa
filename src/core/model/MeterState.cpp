// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/MeterState.h"

namespace km905 {

void CDTDoc::releaseLogArrays() {
    m_logValues.clear();
    m_logStartTimes.clear();
    m_logRecRate.clear();
    m_logRecUnit.clear();
    m_logRecStart.clear();
    m_logRecGain.clear();
    m_logRecordCount = 0;
}

}  // namespace km905
