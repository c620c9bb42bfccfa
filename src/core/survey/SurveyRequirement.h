// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/survey/SurveySummary.h"

namespace km905 {

// What a task area's lighting must reach: the maintained illuminance Ēm and the uniformity
// U0. Both are kept as whole numbers (hundredths of a lux, thousandths) so that a limit such
// as 0.60 is exactly the number typed, and a survey at the limit passes.
struct SurveyRequirement {
    QString area;  // empty for values typed in
    int emCentilux = 0;
    int u0Milli = 0;

    double emLux() const { return emCentilux / 100.0; }
    double u0() const { return u0Milli / 1000.0; }
    bool valid() const { return emCentilux > 0 && u0Milli >= 0 && u0Milli <= 1000; }
    bool sameValues(const SurveyRequirement& o) const {
        return emCentilux == o.emCentilux && u0Milli == o.u0Milli;
    }
    bool operator==(const SurveyRequirement&) const = default;
};

// A requirement from its values in lux and as a ratio, rounded to what the texts show.
SurveyRequirement surveyRequirement(const QString& area, double emLux, double u0);

// The common indoor areas shipped with the program (values of EN 12464-1, named in the help).
const std::vector<SurveyRequirement>& standardAreas();
inline const QString kStandardAreasSource = QStringLiteral("EN 12464-1");

// "500", "0.5"; "0.60", "0.625".
QString emText(const SurveyRequirement& r);
QString u0Text(const SurveyRequirement& r);
// "Required Ēm 500 lx, U0 0.60", the area after it in brackets when there is one.
QString requirementText(const SurveyRequirement& r);

// "500,0.6" as given on the command line; nothing when it is not two such numbers.
std::optional<SurveyRequirement> parseRequirement(const QString& text);
// The area of this name in the list, or the one whose name starts so (any letter case);
// nothing when none or several do.
std::optional<SurveyRequirement> findArea(const std::vector<SurveyRequirement>& areas,
                                          const QString& name);

// The verdict of a survey against a requirement, decided on the exact figures: Eavg >= Ēm
// and Emin / Eavg >= U0. Each condition that fails is named, its figure shown with as many
// decimals as it takes not to read as met ("U0 0.599 < 0.60", never "U0 0.60 < 0.60").
struct SurveyVerdict {
    bool pass = false;
    QStringList failed;  // "Eavg 433.7 < 500", "U0 0.599 < 0.60", "no normal readings"
};
SurveyVerdict surveyVerdict(const SurveySummary& s, const SurveyRequirement& r);
// "PASS", or "FAIL: Eavg 433.7 < 500; U0 0.599 < 0.60".
QString verdictText(const SurveyVerdict& v);
// "Required Ēm 500 lx, U0 0.60: FAIL: Eavg 433.7 < 500"
QString verdictLine(const SurveySummary& s, const SurveyRequirement& r);

// Whether a normal reading lies below Ēm, exactly.
bool belowRequired(double lux, const SurveyRequirement& r);

// Eavg in lux and U0 as the figures show them (one and two decimals), with more decimals when
// the shorter text would read as meeting a requirement the figure misses.
QString eavgText(const SurveySummary& s, const SurveyRequirement* r);
QString u0FigureText(const SurveySummary& s, const SurveyRequirement* r);

// {"area", "Em_lux", "U0"} and {"pass", "failed", "text"}, for --json.
QJsonObject requirementJson(const SurveyRequirement& r);
QJsonObject verdictJson(const SurveyVerdict& v);

}  // namespace km905
