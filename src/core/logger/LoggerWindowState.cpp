// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerWindowState.h"

#include "core/model/TimeText.h"

namespace km905 {

std::array<float, 11> LoggerWindowState::yAxisValues() const {
    std::array<float, 11> v{};
    for (int k = 0; k < 11; ++k) v[k] = static_cast<float>((k + m_offsetSteps) * m_gainValue);
    return v;
}

LoggerWindowState openLoggerWindow(const Settings& settings, MeterModel& m,
                                   LoggerRecordList& list) {
    LoggerWindowState s;
    s.mode = m.view.m_logFromFile == 1 ? LoggerMode::File : LoggerMode::Download;
    s.m_gainSel = settings.readGainIndex();
    s.m_offsetSel = settings.readOffsetIndex();
    s.m_gainValue = gainForIndex(s.m_gainSel, kLoggerDefaultGain);
    s.m_offsetSteps = offsetForIndex(s.m_offsetSel, kLoggerDefaultOffsetSteps);
    // The chooser reads the file before the window opens; that graph stays.
    if (m.view.m_fileNew != 1) m.doc.m_file.readings.clear();
    m.view.m_logWindowShown = 1;
    syncLoggerList(m, list);
    return s;
}

bool syncLoggerList(MeterModel& m, LoggerRecordList& list) {
    bool changed = list.fillFromDownload(m.doc, m.view);
    if (m.view.m_fileNew == 1) {
        CDTDoc& d = m.doc;
        d.m_fileStartTime = toEpochSecs(d.m_file.start).value_or(0);
        list.enterFile(d);
        m.view.m_fileNew = 0;
        changed = true;
    }
    return changed;
}

void closeLoggerWindow(LoggerWindowState& s, LoggerRecordList& list, MeterModel& m) {
    list.clear();
    ViewState& v = m.view;
    v.m_fileLoaded = 0;
    v.m_fileNew = 0;
    s.m_logSelRecord = -1;
    v.m_logFromFile = 0;
    v.m_logListPending = 0;
    v.m_logWindowShown = 0;
    if (v.m_logDataNew) {
        m.doc.releaseLogArrays();
        v.m_logDataNew = 0;
    }
}

}  // namespace km905
