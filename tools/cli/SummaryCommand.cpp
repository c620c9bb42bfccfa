// SPDX-License-Identifier: GPL-3.0-or-later
// summary: a memory list's lighting survey figures.
#include <cstdio>

#include "Commands.h"
#include "Report.h"
#include "SurveyList.h"
#include "survey/SurveySummary.h"

namespace km905::cli {

int runSummary(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QString());
    parser.addOption(json);
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) return usageError(QStringLiteral("summary needs one FILE.MemDat"));
    int status = kExitOk;
    const std::optional<CDTDoc> doc = readSurveyList(files.first(), &status);
    if (!doc) return status;
    const SurveySummary s = surveySummary(*doc);
    if (parser.isSet(json)) {
        std::fputs(surveySummaryJson(s).constData(), stdout);
        return kExitOk;
    }
    printLine(surveySummaryLine(s));
    if (const QString left = surveyLeftOutText(s); !left.isEmpty()) printLine(left);
    return kExitOk;
}

}  // namespace km905::cli
