// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequirementOption.h"

#include "CommandLine.h"
#include "core/survey/SurveySettings.h"

namespace km905::cli {

bool readRequirement(const QCommandLineParser& parser, const RequirementOptions& o,
                     std::optional<SurveyRequirement>& requirement) {
    if (parser.isSet(o.require) && parser.isSet(o.area)) {
        usageError(QStringLiteral("--require and --area each give the requirement; give one"));
        return false;
    }
    if (parser.isSet(o.require)) {
        requirement = parseRequirement(parser.value(o.require));
        if (!requirement)
            usageError(QStringLiteral("--require is EM,U0: the lux above 0 and the uniformity "
                                      "from 0 to 1, as 500,0.6; not '%1'")
                           .arg(parser.value(o.require)));
        return requirement.has_value();
    }
    if (!parser.isSet(o.area)) return true;
    std::vector<SurveyRequirement> areas = standardAreas();
    const std::vector<SurveyRequirement> own = readOwnAreas();
    // The user's own first: an own area of a shipped name is the one kept.
    areas.insert(areas.begin(), own.begin(), own.end());
    requirement = findArea(areas, parser.value(o.area));
    if (requirement) return true;
    QStringList names;
    for (const SurveyRequirement& a : areas) names << a.area;
    usageError(QStringLiteral("--area '%1' names no one task area; they are: %2")
                   .arg(parser.value(o.area), names.join(QStringLiteral("; "))));
    return false;
}

}  // namespace km905::cli
