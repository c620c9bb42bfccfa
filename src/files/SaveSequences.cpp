#include "SaveSequences.h"

#include "GraphFile.h"
#include "ListFile.h"
#include "TextExport.h"
#include "app/Settings.h"
#include "link/TimeText.h"

namespace km905 {

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    if (path.mid(slash + 1).contains('.')) return path;
    return path + QLatin1Char('.') + suffix;
}

namespace {
SaveOutcome savePair(IUserInteraction& ui, const FileDialogRequest& req, const QByteArray& binary,
                     const std::function<QByteArray()>& text, const WriteFunction& write) {
    const std::optional<QString> chosen = ui.saveFileName(req);
    if (!chosen || chosen->isEmpty()) return SaveOutcome::Cancelled;
    const QString path = withDefaultSuffix(*chosen, req.defaultSuffix);
    ui.setWaitCursor(true);
    const bool ok = writeFilesTogether(
        {{path, binary}, {exportPathFor(path, req.defaultSuffix), text()}}, write);
    ui.setWaitCursor(false);
    return ok ? SaveOutcome::Saved : SaveOutcome::Failed;
}
}  // namespace

SaveOutcome saveRealtimeRecording(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                                  const WriteFunction& write) {
    FileDialogRequest req{Settings::dataFolder(), formatLocalTime(nowSecs, kFileNameTimeFormat),
                          kGraphFilter, kGraphSuffix};
    return savePair(
        ui, req, writeGraphFile(graphFromRealtime(m)), [&] { return realtimeExport(m); }, write);
}

SaveOutcome saveLoggerGraph(const CDTDoc& doc, IUserInteraction& ui, const WriteFunction& write) {
    const GraphRecord g = graphFromDocument(doc);
    FileDialogRequest req{Settings::dataFolder(), formatMeterTime(g.start, kFileNameTimeFormat),
                          kGraphFilter, kGraphSuffix};
    return savePair(
        ui, req, writeGraphFile(g), [&] { return loggerGraphExport(g); }, write);
}

SaveOutcome saveMemoryList(const MeterModel& m, IUserInteraction& ui, qint64 nowSecs,
                           const WriteFunction& write) {
    if (m.view.m_memListFromFile) return SaveOutcome::NotAllowed;
    FileDialogRequest req{Settings::dataFolder(), formatLocalTime(nowSecs, kFileNameTimeFormat),
                          kListFilter, kListSuffix};
    const std::vector<ListRecord> records = listFromDocument(m.doc);
    return savePair(
        ui, req, writeListFile(records), [&] { return listExport(records); }, write);
}

}  // namespace km905
