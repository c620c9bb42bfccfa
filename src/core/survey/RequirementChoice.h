// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/UserInteraction.h"
#include "core/survey/SurveySettings.h"

namespace km905 {

// Requirement...: the areas offered, the user's own kept in the settings as the dialog left
// them, and the choice kept with the list. False when cancelled; a setting that could not be
// kept is told.
bool chooseListRequirement(IUserInteraction& ui, ListGrid& list, const QString& listPath);

// What the dialog gives back for a name and values: the name kept, unless it is a shipped
// area's and the values are not its own (a changed value is no longer that area).
SurveyRequirement labelledRequirement(const QString& name, double emLux, double u0);

}  // namespace km905
