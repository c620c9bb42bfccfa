// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/SaveSequences.h"

#include <QFileInfo>

#include "core/app/Settings.h"
#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"
#include "core/files/TextExport.h"
#include "core/model/TimeText.h"

namespace km905 {

QString withDefaultSuffix(const QString& path, const QString& suffix,
                          const QStringList& alsoAccepted) {
    // Only the dialog's own extensions count: the proposed names end in ".SS" (seconds).
    for (const QString& s : QStringList(suffix) + alsoAccepted)
        if (path.endsWith(QLatin1Char('.') + s, Qt::CaseInsensitive)) return path;
    return path + QLatin1Char('.') + suffix;
}

QString saveFailedText(const QString& reason) {
    return QStringLiteral("The file could not be saved: %1. Nothing was changed on the disk.")
        .arg(reason);
}

QString replaceQuestionText(const QString& fileName) {
    return QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileName);
}

std::optional<QString> chooseSavePath(IUserInteraction& ui, const FileDialogRequest& req) {
    const std::optional<QString> chosen = ui.saveFileName(req);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString path = withDefaultSuffix(*chosen, req.defaultSuffix);
    // The dialog saw the name before its extension was added, so the question is asked here.
    const QFileInfo target(path);
    if ((target.exists() || target.isSymLink()) &&
        !ui.askYesNo(replaceQuestionText(target.fileName())))
        return std::nullopt;
    return path;
}

namespace {
SaveOutcome savePair(IUserInteraction& ui, const FileDialogRequest& req, const QByteArray& binary,
                     const std::function<QByteArray()>& text, const FileSteps& steps,
                     QString* savedPath = nullptr) {
    const std::optional<QString> chosen = chooseSavePath(ui, req);
    if (!chosen) return SaveOutcome::Cancelled;
    const QString& path = *chosen;
    ui.setWaitCursor(true);
    const WriteResult written = writeFilesTogether(
        {{path, binary}, {exportPathFor(path, req.defaultSuffix), text()}}, steps);
    ui.setWaitCursor(false);
    if (!written) {
        ui.showMessage(saveFailedText(written.reason));
        return SaveOutcome::Failed;
    }
    if (savedPath) *savedPath = path;
    return SaveOutcome::Saved;
}
}  // namespace

FileDialogRequest realtimeSaveRequest(qint64 nowSecs) {
    return {Settings::dataFolder(), formatLocalTime(nowSecs, kFileNameTimeFormat), kGraphFilter,
            kGraphSuffix};
}

FileDialogRequest loggerSaveRequest(const GraphRecord& g) {
    return {Settings::dataFolder(), formatMeterTime(g.start, kFileNameTimeFormat), kGraphFilter,
            kGraphSuffix};
}

FileDialogRequest memoryListSaveRequest(qint64 nowSecs) {
    return {Settings::dataFolder(), formatLocalTime(nowSecs, kFileNameTimeFormat), kListFilter,
            kListSuffix};
}

SaveOutcome saveRealtimeRecording(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                  const FileSteps& steps) {
    return savePair(
        ui, realtimeSaveRequest(nowSecs), writeGraphFile(graphFromRealtime(m)),
        [&] { return realtimeExport(m); }, steps);
}

SaveOutcome saveLoggerGraph(const CDTDoc& doc, IUserInteraction& ui, const FileSteps& steps) {
    const GraphRecord g = graphFromDocument(doc);
    return savePair(
        ui, loggerSaveRequest(g), writeGraphFile(g), [&] { return loggerGraphExport(g); }, steps);
}

SaveOutcome saveMemoryList(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                           const FileSteps& steps, QString* savedPath) {
    if (m.view.m_memListFromFile) return SaveOutcome::NotAllowed;
    const std::vector<ListRecord> records = listFromDocument(m.doc);
    return savePair(
        ui, memoryListSaveRequest(nowSecs), writeListFile(records),
        [&] { return listExport(records); }, steps, savedPath);
}

}  // namespace km905
