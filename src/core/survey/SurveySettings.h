// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "survey/ReportDetails.h"
#include "survey/SurveyGrid.h"

namespace km905 {

// A list file's grid is kept in the settings file, never in the list file: section
// [SurveyGrids], keyed by the list file's whole path, made absolute and clean, so that two
// lists of one name in two folders have a grid each. A list no file holds has no key.
inline const QString kSurveyGridsSection = QStringLiteral("SurveyGrids");

QString surveyGridKey(const QString& listPath);  // empty for an empty path
std::optional<GridShape> readSurveyGrid(const QString& listPath);
bool writeSurveyGrid(const QString& listPath, const GridShape& shape);

// The grid of the list a memory list window shows. A downloaded list not saved yet keeps its
// grid here, in memory only: no later download is offered it, and the list's save takes it
// into the settings under the new file.
class ListGrid {
  public:
    std::optional<GridShape> read(const QString& listPath) const;
    bool write(const QString& listPath, const GridShape& shape);
    // The list was saved as toPath; its grid goes along.
    void listSaved(const QString& fromPath, const QString& toPath);
    // A download brought another list.
    void newDownload() { m_unsaved.reset(); }

  private:
    std::optional<GridShape> m_unsaved;
};

// The last report's title, site and notes, offered for the next one ([SurveyReport]).
ReportDetails readReportDetails();
bool writeReportDetails(const ReportDetails& details);

// A text as one settings value and back: quoted, with "\n" for a line break.
QString settingsValueText(const QString& text);
QString textFromSettingsValue(const QString& value);

}  // namespace km905
