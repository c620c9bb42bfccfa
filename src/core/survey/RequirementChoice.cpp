// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/RequirementChoice.h"

#include "core/app/Settings.h"

namespace km905 {

bool chooseListRequirement(IUserInteraction& ui, ListGrid& list, const QString& listPath) {
    const RequirementQuestion q{standardAreas(), readOwnAreas(), list.requirement(listPath)};
    const std::optional<RequirementAnswer> a = ui.askRequirement(q);
    if (!a) return false;
    bool kept = true;
    if (a->own != q.own) kept = writeOwnAreas(a->own);
    if (a->chosen != q.current) kept = list.setRequirement(listPath, a->chosen) && kept;
    if (!kept) ui.showMessage(settingsNotSavedText());
    return true;
}

SurveyRequirement labelledRequirement(const QString& name, double emLux, double u0) {
    SurveyRequirement r = surveyRequirement(name.trimmed(), emLux, u0);
    for (const SurveyRequirement& a : standardAreas())
        if (a.area.compare(r.area, Qt::CaseInsensitive) == 0 && !a.sameValues(r)) r.area.clear();
    return r;
}

}  // namespace km905
