// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/model/MeterState.h"
#include "core/survey/Drawing.h"
#include "core/survey/ReportDetails.h"
#include "core/survey/SurveyGrid.h"
#include "core/survey/SurveyRequirement.h"
#include "core/survey/SurveySummary.h"

namespace km905 {

enum class PaperSize : uint8_t { A4, Letter };

// Letter where it is the custom (the United States and Canada), A4 everywhere else.
PaperSize paperSizeFor(QLocale::Territory territory);
QSizeF paperPoints(PaperSize paper);  // in points, 1/72 inch

// Everything a survey report shows, gathered from the list.
struct SurveyReportInput {
    ReportDetails details;
    SurveySummary summary;
    std::optional<GridMap> grid;
    QString gridNotes;              // what the map cannot show
    std::vector<QStringList> rows;  // NO., DATA, UNIT, STATUS, TIME as the list shows them
    std::optional<SurveyRequirement> requirement;
    std::vector<bool> rowBelow;  // a normal reading below the requirement's Ēm, row by row
    QString surveyDate;          // from the first reading's time
    QString reportDate;
    PaperSize paper = PaperSize::A4;
};

SurveyReportInput surveyReportInput(
    const CDTDoc& doc, const std::optional<GridShape>& grid, const ReportDetails& details,
    qint64 nowSecs, PaperSize paper,
    const std::optional<SurveyRequirement>& requirement = std::nullopt);

// "12/07/26 10:20:30" (month/day/year) as "2026-12-07"; any other text as it stands.
QString surveyDateText(const QString& meterTime);

// The pages in points from the top left of the sheet: page 1 the title block, the requirement
// and its verdict when there is one, the summary table and the grid map (on a page of its own when
// too little room is left), then the readings table over as many pages as needed; "Page N of M" at
// the foot of each.
struct SurveyReport {
    PaperSize paper = PaperSize::A4;
    QSizeF size;
    QString title;  // also the document's title
    std::vector<Drawing> pages;
};

SurveyReport surveyReport(const SurveyReportInput& in);

// "Required", "Measured" and the verdict's word and failures, as page 1 shows them.
inline const QString kRequirementHeading = QStringLiteral("Requirement and verdict");
inline const QString kBelowMark = QStringLiteral("below \u0112m");

// The readings one page of the table holds on this paper.
int readingsPerPage(PaperSize paper);

inline const QString kDefaultReportTitle = QStringLiteral("Lighting survey");

}  // namespace km905
