// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerFileCommands.h"

#include "core/app/SpreadsheetExport.h"
#include "core/logger/LoggerGraph.h"

namespace km905 {

FileDialogRequest loggerOpenRequest(const Settings& settings) {
    return {settings.dataFolder(), QString(), kLoggerOpenFilter, kGraphSuffix};
}

QString loggerGraphPath(const QString& chosen) {
    return withDefaultSuffix(chosen, kGraphSuffix, {kCh4Suffix});
}

SaveOutcome loggerSave(const Settings& settings, const LoggerWindowState& s, const MeterModel& m,
                       IUserInteraction& ui, const FileSteps& steps) {
    // A file shown in file mode came from the disk: there is nothing to save, nor to ask for.
    if (s.mode == LoggerMode::File) return SaveOutcome::NotAllowed;
    if (m.doc.fileCount() == 0) {
        ui.showMessage(kSelectRecordToSaveText);
        return SaveOutcome::NotAllowed;
    }
    return saveLoggerGraph(settings, m.doc, ui, steps);
}

SaveOutcome loggerExportCsv(const Settings& settings, const LoggerWindowState& s,
                            const MeterModel& m, IUserInteraction& ui, const FileSteps& steps) {
    if (!loggerGraphShown(s.m_logSelRecord, m.view)) {
        if (s.mode == LoggerMode::Download) ui.showMessage(kSelectRecordToExportText);
        return SaveOutcome::NotAllowed;
    }
    return exportLoggerGraphCsv(settings, m.doc, ui, steps);
}

LoggerOpenResult loggerOpenGraph(const Settings& settings, LoggerWindowState& s,
                                 LoggerRecordList& list, MeterModel& m, IUserInteraction& ui) {
    LoggerOpenResult out;
    if (s.mode != LoggerMode::File) return out;
    out.restoreFullView = true;
    const std::optional<QString> chosen = ui.openFileName(loggerOpenRequest(settings));
    if (!chosen || chosen->isEmpty()) return out;
    out.dialogAccepted = true;
    s.g_lastGraphPath = loggerGraphPath(*chosen);
    ui.setWaitCursor(true);
    out.outcome = openGraphFile(s.g_lastGraphPath, m, ui);
    ui.setWaitCursor(false);
    out.rowsChanged = syncLoggerList(m, list);
    return out;
}

bool loggerOpenGraphs(const QStringList& paths, LoggerWindowState& s, LoggerRecordList& list,
                      MeterModel& m, IUserInteraction& ui) {
    if (s.mode != LoggerMode::File) return false;
    bool rowsChanged = false;
    for (const QString& path : paths) {
        s.g_lastGraphPath = path;
        ui.setWaitCursor(true);
        openGraphFile(path, m, ui);
        ui.setWaitCursor(false);
        rowsChanged = syncLoggerList(m, list) || rowsChanged;
    }
    return rowsChanged;
}

bool loggerYAxis(const Settings& settings, LoggerWindowState& s, IUserInteraction& ui) {
    const std::optional<YAxisChoice> c =
        ui.askYAxis(settings.readGainIndex(), settings.readOffsetIndex());
    if (!c) return false;
    s.m_gainSel = c->gainSel;
    s.m_offsetSel = c->offsetSel;
    s.m_gainValue = gainForIndex(s.m_gainSel, s.m_gainValue);
    s.m_offsetSteps = offsetForIndex(s.m_offsetSel, s.m_offsetSteps);
    if (!settings.writeYScale(s.m_gainSel, s.m_offsetSel)) ui.showMessage(settings.notSavedText());
    return true;
}

}  // namespace km905
