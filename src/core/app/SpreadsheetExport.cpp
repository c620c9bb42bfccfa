// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/SpreadsheetExport.h"

#include <QFileInfo>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"
#include "core/files/Utf8CsvExport.h"

namespace km905 {

FileDialogRequest spreadsheetCsvRequest(const FileDialogRequest& saveRequest) {
    return {saveRequest.folder, saveRequest.proposedName + QStringLiteral(".utf8.csv"),
            kSpreadsheetCsvFilter, kSpreadsheetCsvSuffix};
}

SaveOutcome exportSpreadsheetCsv(IUserInteraction& ui, const FileDialogRequest& request,
                                 const std::function<QByteArray()>& bytes, const FileSteps& steps) {
    const std::optional<QString> chosen = chooseSavePath(ui, request);
    if (!chosen) return SaveOutcome::Cancelled;
    ui.setWaitCursor(true);
    const WriteResult written = writeFilesTogether({{*chosen, bytes()}}, steps);
    ui.setWaitCursor(false);
    if (!written) {
        ui.showMessage(saveFailedText(written.reason));
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

SaveOutcome exportRealtimeCsv(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                              const FileSteps& steps) {
    // Frames are not told apart from the ticks they filled in the graph file either, so this
    // is the CSV of the file Save writes.
    return exportSpreadsheetCsv(
        ui, spreadsheetCsvRequest(realtimeSaveRequest(nowSecs)),
        [&] { return graphCsvUtf8(graphFromRealtime(m)); }, steps);
}

SaveOutcome exportLoggerGraphCsv(const CDTDoc& doc, IUserInteraction& ui, const FileSteps& steps) {
    const GraphRecord g = graphFromDocument(doc);
    return exportSpreadsheetCsv(
        ui, spreadsheetCsvRequest(loggerSaveRequest(g)), [&] { return graphCsvUtf8(g); }, steps);
}

SaveOutcome exportMemoryListCsv(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                const FileSteps& steps) {
    FileDialogRequest request = spreadsheetCsvRequest(memoryListSaveRequest(nowSecs));
    if (!m.view.m_memListPath.isEmpty()) {
        const QFileInfo list(m.view.m_memListPath);
        request.folder = list.absolutePath();
        request.proposedName = QFileInfo(utf8CsvPathFor(list.fileName(), kListSuffix)).fileName();
    }
    return exportSpreadsheetCsv(
        ui, request, [&] { return listCsvUtf8(listFromDocument(m.doc)); }, steps);
}

}  // namespace km905
