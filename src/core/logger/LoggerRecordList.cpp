// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerRecordList.h"

#include <algorithm>

#include "core/model/TimeText.h"

namespace km905 {

QString loggerUnitText(int unitFC) {
    if (unitFC == 0) return QStringLiteral("Lux");
    if (unitFC == 1) return QStringLiteral("FC");
    return QString();
}

int usableRecordCount(const CDTDoc& d) {
    const size_t n =
        std::min({d.m_logStartTimes.size(), d.m_logRecRate.size(), d.m_logRecUnit.size(),
                  d.m_logRecStart.empty() ? size_t{0} : d.m_logRecStart.size() - 1});
    return std::clamp(d.m_logRecordCount, 0, static_cast<int>(n));
}

namespace {
QStringList rowTexts(int number, const MeterDateTime& start, int unitFC, int rateSecs, int nums) {
    return {QString::number(number), formatMeterTime(start, kStoredTimeFormat),
            loggerUnitText(unitFC), QString::number(rateSecs) + QStringLiteral("sec"),
            QString::number(nums)};
}

qint64 startSecsOf(const MeterDateTime& t) {
    return toEpochSecs(t).value_or(0);  // a damaged date has no point in time
}

// The record's samples, start and interval become the displayed graph; what the paint of the
// original did on every paint is done once here, the arrays being fixed while the window is up.
void showRecord(int t, CDTDoc& d) {
    const int first = d.m_logRecStart[t];
    int count = d.m_logRecStart[t + 1] - first;
    const int available = first >= 0 && first <= static_cast<int>(d.m_logValues.size())
                              ? static_cast<int>(d.m_logValues.size()) - first
                              : 0;
    count = std::clamp(count, 0, std::min(available, kReadingsCapacity));
    const auto from = d.m_logValues.begin() + (count > 0 ? first : 0);
    d.m_file.readings.assign(from, from + count);
    d.m_file.unitFC = d.m_logRecUnit[t];
    d.m_file.start = d.m_logStartTimes[t];
    d.m_fileStartTime = startSecsOf(d.m_file.start);
    d.m_file.rateSecs = d.m_logRecRate[t];
}
}  // namespace

bool LoggerRecordList::fillFromDownload(const CDTDoc& d, ViewState& view) {
    if (view.m_logListPending != 1 || view.m_logFromFile != 0 || d.m_logRecordCount < 1)
        return false;
    view.m_logListPending = 0;
    const int n = usableRecordCount(d);
    for (int t = 0; t < n; ++t)
        m_recordRows.push_back(rowTexts(t + 1, d.m_logStartTimes[t], d.m_logRecUnit[t],
                                        d.m_logRecRate[t],
                                        d.m_logRecStart[t + 1] - d.m_logRecStart[t]));
    return true;
}

void LoggerRecordList::enterFile(const CDTDoc& d) {
    if (g_fileListLast >= kMaxFileEntries - 1) {
        g_fileListLast = 0;
        m_entries.clear();
        m_recordRows.clear();  // every row goes
    } else {
        ++g_fileListLast;
    }
    LoggerFileEntry e;
    static_cast<GraphRecord&>(e) = d.m_file;
    e.startSecs = startSecsOf(e.start);
    m_entries.resize(static_cast<size_t>(g_fileListLast));
    m_entries.push_back(std::move(e));
}

std::vector<QStringList> LoggerRecordList::rows() const {
    std::vector<QStringList> out;
    out.reserve(m_entries.size() + m_recordRows.size());
    for (size_t e = 0; e < m_entries.size(); ++e) {
        const LoggerFileEntry& f = m_entries[e];
        out.push_back(
            rowTexts(static_cast<int>(e) + 1, f.start, f.unitFC, f.rateSecs, f.headerCount));
    }
    out.insert(out.end(), m_recordRows.begin(), m_recordRows.end());
    return out;
}

int LoggerRecordList::rowCount() const {
    return static_cast<int>(m_entries.size() + m_recordRows.size());
}

ListSelection LoggerRecordList::select(int row, const ViewState& view, CDTDoc& d, int& logSelRecord,
                                       int gainValue) {
    ListSelection out;
    if (view.m_fileLoaded == 1) {
        g_fileListSel = row;
        if (row < 0 || row > g_fileListLast) return out;
        const LoggerFileEntry& f = m_entries[static_cast<size_t>(row)];
        // The header count may promise more readings than the file held: only those stored
        // are shown, never whatever lies beyond them.
        const int count = std::clamp(f.headerCount, 0, static_cast<int>(f.readings.size()));
        // The entry's date parts, header count and scale are not taken back.
        d.m_file.readings.assign(f.readings.begin(), f.readings.begin() + count);
        d.m_file.unitFC = f.unitFC;
        d.m_fileStartTime = f.startSecs;
        d.m_file.rateSecs = f.rateSecs;
        out.shown = ListSelection::Shown::FileEntry;
        out.index = row;
        return out;
    }
    logSelRecord = row;
    if (row < 0 || row >= usableRecordCount(d)) {
        // Nothing is drawn, so nothing is left to save or print either.
        d.m_file.readings.clear();
        out.shown = ListSelection::Shown::Nothing;
        return out;
    }
    if (d.m_logRecUnit[row] <= 1) d.m_file.scale = gainValue;
    showRecord(row, d);
    out.shown = ListSelection::Shown::Record;
    out.index = row;
    return out;
}

void LoggerRecordList::clear() {
    g_fileListLast = -1;
    g_fileListSel = -1;
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_recordRows.clear();
}

}  // namespace km905
