// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveyReportSave.h"

#include <QFileInfo>

#include "core/app/Settings.h"
#include "core/model/TimeText.h"
#include "core/survey/SurveySettings.h"

namespace km905 {

FileDialogRequest surveyReportRequest(const QString& listPath, qint64 nowSecs) {
    if (listPath.isEmpty())
        return {Settings::dataFolder(),
                formatLocalTime(nowSecs, kFileNameTimeFormat) + QStringLiteral(" survey.pdf"),
                kPdfFilter, kPdfSuffix};
    const QFileInfo list(listPath);
    return {list.absolutePath(), list.completeBaseName() + QStringLiteral(" survey.pdf"),
            kPdfFilter, kPdfSuffix};
}

SaveOutcome saveSurveyReport(IUserInteraction& ui, const FileDialogRequest& request,
                             const SurveyPdfMaker& make, const FileSteps& steps,
                             QString* savedPath) {
    const std::optional<ReportDetails> details = ui.askReportDetails(readReportDetails());
    if (!details) return SaveOutcome::Cancelled;
    if (!writeReportDetails(*details)) ui.showMessage(settingsNotSavedText());
    const std::optional<QString> chosen = chooseSavePath(ui, request);
    if (!chosen) return SaveOutcome::Cancelled;
    const QString& path = *chosen;
    ui.setWaitCursor(true);
    const std::optional<QByteArray> pdf = make(*details);
    WriteResult written;
    if (pdf)
        written = writeFilesTogether({{path, *pdf}}, steps);
    else
        written.reason = kReportNotDrawnText;
    ui.setWaitCursor(false);
    if (!written) {
        ui.showMessage(saveFailedText(written.reason));
        return SaveOutcome::Failed;
    }
    if (savedPath) *savedPath = path;
    return SaveOutcome::Saved;
}

}  // namespace km905
