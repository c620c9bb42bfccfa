#pragma once

#include <QString>
#include <optional>

#include "survey/ReportDetails.h"
#include "survey/SurveyGrid.h"

namespace km905 {

// A list's grid is kept in the settings file, never in the list file: section [SurveyGrids],
// keyed by the list file's name; a downloaded list not saved yet has a key of its own.
inline const QString kSurveyGridsSection = QStringLiteral("SurveyGrids");
inline const QString kUnsavedListKey = QStringLiteral("(unsaved list)");

QString surveyGridKey(const QString& listPath);  // listPath empty: the unsaved list
std::optional<GridShape> readSurveyGrid(const QString& listPath);
bool writeSurveyGrid(const QString& listPath, const GridShape& shape);
// A list just saved keeps the grid it had while unsaved.
void carrySurveyGrid(const QString& fromPath, const QString& toPath);

// The last report's title, site and notes, offered for the next one ([SurveyReport]).
ReportDetails readReportDetails();
bool writeReportDetails(const ReportDetails& details);

// A text as one settings value and back: quoted, with "\n" for a line break.
QString settingsValueText(const QString& text);
QString textFromSettingsValue(const QString& value);

}  // namespace km905
