// SPDX-License-Identifier: GPL-3.0-or-later
// summary: a memory list's lighting survey figures.
#include <cstdio>

#include "Commands.h"
#include "Report.h"
#include "RequirementOption.h"
#include "SurveyList.h"
#include "core/survey/SurveyRequirement.h"
#include "core/survey/SurveySummary.h"

namespace km905::cli {

int runSummary(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QString());
    const RequirementOptions required;
    parser.addOption(json);
    required.addTo(parser);
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) return usageError(QStringLiteral("summary needs one FILE.MemDat"));
    std::optional<SurveyRequirement> requirement;
    if (!readRequirement(parser, required, requirement)) return kExitUsage;
    int status = kExitOk;
    const std::optional<CDTDoc> doc = readSurveyList(files.first(), &status);
    if (!doc) return status;
    const SurveySummary s = surveySummary(*doc);
    const SurveyRequirement* r = requirement ? &*requirement : nullptr;
    const int verdict =
        r && !surveyVerdict(s, *r).pass ? kExitRequirementNotMet : static_cast<int>(kExitOk);
    if (parser.isSet(json)) {
        std::fputs(surveySummaryJson(s, r).constData(), stdout);
        return verdict;
    }
    printLine(surveySummaryLine(s, r));
    if (const QString left = surveyLeftOutText(s); !left.isEmpty()) printLine(left);
    if (r) printLine(verdictLine(s, *r));
    return verdict;
}

}  // namespace km905::cli
