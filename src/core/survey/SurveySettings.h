// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "core/survey/ReportDetails.h"
#include "core/survey/SurveyGrid.h"
#include "core/survey/SurveyRequirement.h"

namespace km905 {

// A list file's grid is kept in the settings file, never in the list file: section
// [SurveyGrids], keyed by the list file's whole path, made absolute and clean, so that two
// lists of one name in two folders have a grid each. A list no file holds has no key.
inline const QString kSurveyGridsSection = QStringLiteral("SurveyGrids");

QString surveyGridKey(const QString& listPath);  // empty for an empty path
std::optional<GridShape> readSurveyGrid(const QString& listPath);
bool writeSurveyGrid(const QString& listPath, const GridShape& shape);

// The requirement a list is judged against is kept beside its grid, in [SurveyRequirements]
// under the same key: "500 0.60 Writing, typing, reading, data processing"; empty for none.
inline const QString kSurveyRequirementsSection = QStringLiteral("SurveyRequirements");
std::optional<SurveyRequirement> readListRequirement(const QString& listPath);
bool writeListRequirement(const QString& listPath, const std::optional<SurveyRequirement>& r);

// A requirement as one settings value, "EM U0 AREA", and back.
QString requirementSettingText(const SurveyRequirement& r);
std::optional<SurveyRequirement> parseRequirementSetting(const QString& text);

// The user's own task areas, in [SurveyAreas]: "Count" and "Area1".."AreaN".
std::vector<SurveyRequirement> readOwnAreas();
bool writeOwnAreas(const std::vector<SurveyRequirement>& areas);

// The grid and the requirement of the list a memory list window shows. A downloaded list not
// saved yet keeps them here, in memory only: no later download is offered them, and the
// list's save takes them into the settings under the new file.
class ListGrid {
  public:
    std::optional<GridShape> read(const QString& listPath) const;
    bool write(const QString& listPath, const GridShape& shape);
    std::optional<SurveyRequirement> requirement(const QString& listPath) const;
    bool setRequirement(const QString& listPath, const std::optional<SurveyRequirement>& r);
    // The list was saved as toPath; its grid and requirement go along.
    void listSaved(const QString& fromPath, const QString& toPath);
    // A download brought another list.
    void newDownload() {
        m_unsaved.reset();
        m_unsavedRequirement.reset();
    }

  private:
    std::optional<GridShape> m_unsaved;
    std::optional<SurveyRequirement> m_unsavedRequirement;
};

// The last report's details, offered for the next one ([SurveyReport]).
ReportDetails readReportDetails();
bool writeReportDetails(const ReportDetails& details);

// A text as one settings value and back: quoted, with "\n" for a line break.
QString settingsValueText(const QString& text);
QString textFromSettingsValue(const QString& value);

}  // namespace km905
