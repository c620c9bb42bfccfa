// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/MainCommands.h"

#include <QDir>
#include <QFileInfo>
#include <climits>

#include "core/app/SpreadsheetExport.h"

namespace km905 {

MainCommands::MainCommands(MeterModel& model, IUserInteraction& ui, ILinkUi& views,
                           const ITimerService& clock, const Settings& settings)
    : m_model(model), m_ui(ui), m_views(views), m_clock(clock), m_settings(settings) {}

void MainCommands::run() {
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    // A recording that could not be saved is not thrown away by the new one.
    if (f.m_graphUsed != 0 && m_ui.askYesNo(kSaveBeforeRunText) && save() == SaveOutcome::Failed)
        return;
    const int shown = v.m_sampleRateMs / 1000 >= 1 ? v.m_sampleRateMs / 1000 : 1;
    if (const std::optional<int> typed = m_ui.askSampleRate(shown)) {
        // No upper limit, but the period in milliseconds has to fit.
        const int secs = std::clamp(*typed, 1, INT_MAX / 1000);
        v.m_sampleRateMs = secs * 1000;
        v.m_sampleRateText = QString::number(secs);
        m_model.rec.run();
        m_views.updateAllViews();
        if (m_sink) m_sink->recordingEnded();  // the next frame starts the new one
    }
    if (m_model.rec.recording()) f.m_graphUsed = 1;
    m_model.rec.setFirstTickPending();
}

void MainCommands::stop() {
    m_model.rec.stopRecording();
}

SaveOutcome MainCommands::save() {
    const SaveOutcome r =
        saveRealtimeRecording(m_settings, m_model, m_ui, m_clock.nowSecs(), m_steps);
    // A recording that goes on after its save is still kept for what comes next.
    if (r == SaveOutcome::Saved && m_sink && !m_model.rec.recording()) m_sink->recordingEnded();
    return r;
}

SaveOutcome MainCommands::exportCsv() {
    return exportRealtimeCsv(m_settings, m_model, m_ui, m_clock.nowSecs(), m_steps);
}

void MainCommands::yAxis() {
    const std::optional<YAxisChoice> c =
        m_ui.askYAxis(m_settings.readGainIndex(), m_settings.readOffsetIndex());
    if (!c) return;
    ViewState& v = m_model.view;
    v.m_yGain = gainForIndex(c->gainSel, v.m_yGain);
    v.m_yOffset = offsetForIndex(c->offsetSel, v.m_yOffset);
    m_views.updateAllViews();
    if (!m_settings.writeYScale(c->gainSel, c->offsetSel))
        m_ui.showMessage(m_settings.notSavedText());
}

bool MainCommands::print() {
    if (m_model.view.m_sampleIndex == 0) return false;
    return m_ui.printReport({realtimeReport(m_model, m_clock.nowSecs())});
}

MainCommands::CloseOffer MainCommands::offerSaveBeforeClose() {
    if (m_model.view.m_sampleIndex <= 1) return CloseOffer::NotAsked;
    // Frozen while the user decides, as the close would leave it; kept if the save fails.
    stop();
    if (!m_ui.askYesNo(kSaveBeforeCloseText)) return CloseOffer::Declined;
    switch (save()) {
        case SaveOutcome::Saved:
            return CloseOffer::Saved;
        case SaveOutcome::Cancelled:  // the user changed their mind about closing
            return CloseOffer::Cancelled;
        default:
            return CloseOffer::SaveFailed;
    }
}

QString helpFilePath(const QString& programDir) {
    const QDir dir(programDir);
    const QString chm = dir.filePath(QStringLiteral("help.chm"));
    if (QFileInfo::exists(chm)) return chm;
    const QString beside = dir.filePath(QStringLiteral("help.html"));
    if (QFileInfo::exists(beside)) return beside;
    // An installed program (bin/km905) keeps its pages in share/km905, wherever the prefix is.
    const QString installed =
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/km905/help.html")));
    if (QFileInfo::exists(installed)) return installed;
    return beside;  // the viewer says it is missing
}

void MainCommands::help(const QString& programDir) {
    m_ui.openHelp(helpFilePath(programDir));
}

}  // namespace km905
