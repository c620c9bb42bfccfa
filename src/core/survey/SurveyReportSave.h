// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

#include "core/app/SaveSequences.h"
#include "core/app/UserInteraction.h"
#include "core/files/SafeFile.h"
#include "core/survey/ReportDetails.h"

namespace km905 {

inline const QString kPdfFilter = QStringLiteral("PDF Files (*.pdf)");
inline const QString kPdfSuffix = QStringLiteral("pdf");
inline const QString kReportNotDrawnText = QStringLiteral("the report could not be drawn");

// The save dialog of a survey report: beside the list file and named after it, or in the
// data folder named after the time when the list has not been saved.
FileDialogRequest surveyReportRequest(const QString& listPath, qint64 nowSecs);

// Makes the PDF's bytes for these details; nothing when drawing failed.
using SurveyPdfMaker = std::function<std::optional<QByteArray>(const ReportDetails&)>;

// Report...: title, site and notes (remembered for the next report), a file name, then the
// PDF written in full under a temporary name and moved into place. A failure is told.
SaveOutcome saveSurveyReport(IUserInteraction& ui, const FileDialogRequest& request,
                             const SurveyPdfMaker& make, const FileSteps& steps = FileSteps::real(),
                             QString* savedPath = nullptr);

}  // namespace km905
