// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "core/model/MeterState.h"

namespace km905 {

struct LoggerColumn {
    const char* caption;
    int width;  // pixels
};

// "Set", "Time", "Unit", "Sampling Rate", "Nums"; all left-aligned.
inline constexpr std::array<LoggerColumn, 5> kLoggerListColumns{
    {{"Set", 50}, {"Time", 130}, {"Unit", 55}, {"Sampling Rate", 110}, {"Nums", 150}}};

// One graph file entered in the list: what the file held, readings only as many as stored.
struct LoggerFileEntry : GraphRecord {  // the header count is shown as "Nums"
    qint64 startSecs = 0;
};

// What a double-click on the list did. The full view is always restored (zoom level 0, no
// scroll shift, no cursor line, scroll bar disabled) and the window repainted.
struct ListSelection {
    enum class Shown {
        Record,     // a downloaded record is now the displayed graph
        FileEntry,  // a file entry is now the displayed graph
        Nothing,    // download mode without a row: no graph
        Unchanged,  // file mode, a row outside the entries
    } shown = Shown::Unchanged;
    int index = -1;  // the record or entry
    bool restoreFullView = true;
};

// The datalogger window's list: one row per downloaded record, or one per graph file opened
// in the window (up to 100; the 101st starts a new list).
class LoggerRecordList {
  public:
    static constexpr int kMaxFileEntries = 100;

    // Download mode: rows for the document's records, once per download (while
    // m_logListPending is 1, not in file mode, with at least one record). True when filled.
    bool fillFromDownload(const CDTDoc& doc, ViewState& view);
    // Enters the displayed-graph record, as a graph file just read left it, as the next file.
    void enterFile(const CDTDoc& doc);

    // Row texts in list order: file entries (oldest first), then downloaded records.
    std::vector<QStringList> rows() const;
    int rowCount() const;

    // The double-click on a row (-1 = no selection mark). Makes the row's graph the
    // displayed-graph record; logSelRecord is the window's m_logSelRecord, gainValue the
    // m_gainValue that becomes the record's scale.
    ListSelection select(int row, const ViewState& view, CDTDoc& doc, int& logSelRecord,
                         int gainValue);

    // The window closed: the list starts again at its first row.
    void clear();

    int fileListLast() const { return g_fileListLast; }
    int fileListSel() const { return g_fileListSel; }
    const std::vector<LoggerFileEntry>& fileEntries() const { return m_entries; }

  private:
    int g_fileListLast = -1;  // newest file entry, 0..99
    int g_fileListSel = -1;   // row last double-clicked in file mode
    std::vector<LoggerFileEntry> m_entries;
    std::vector<QStringList> m_recordRows;  // row t is record t
};

// The unit column: "Lux" for 0, "FC" for 1, empty otherwise.
QString loggerUnitText(int unitFC);

// Records whose arrays are all present (a damaged document never lets a row read past them).
int usableRecordCount(const CDTDoc& doc);

}  // namespace km905
