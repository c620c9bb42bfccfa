// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "core/model/MeterState.h"

namespace km905 {

struct SurveyRequirement;

// What a record of a memory list is to a survey: used, or left out for the first of these
// reasons that applies. A value no meter stores (not a number, infinite, or below zero,
// where the sign has a byte of its own) is invalid, whatever its mode.
enum class SurveyUse : uint8_t {
    Used,
    Invalid,
    OverRange,
    Relative,
    PeakMax,
    PeakMin,
    Maximum,
    Minimum,
    Negative,
    Other,
};
SurveyUse surveyUseOf(const CDTDoc& doc, int record);
// The reason as the texts give it: "invalid", "OL", "REL", "MAX"...; empty for Used.
QString surveyUseName(SurveyUse use);

// The uniformity figures of a lighting survey: the normal readings of a memory list only.
struct SurveySummary {
    int total = 0;  // records in the list
    int used = 0;   // normal ("General") readings, not over range, not negative
    // Left out, by reason, in SurveyUse's order.
    int invalid = 0;
    int overRange = 0;
    int relative = 0, peakMax = 0, peakMin = 0, maximum = 0, minimum = 0;
    int negative = 0;
    int other = 0;  // a mode the meter does not send
    double eminLux = 0, emaxLux = 0, eavgLux = 0;
    long double sumLux = 0;       // of the readings used, exact for the floats they are
    int minRecord = -1;           // 0-based record of the first lowest reading
    bool allFootCandles = false;  // every reading used was taken in foot-candles

    bool hasFigures() const { return used > 0; }
    int leftOut() const { return total - used; }
    // Emin / Eavg and Emin / Emax; none when the divisor is 0.
    std::optional<double> u0() const;
    std::optional<double> ud() const;
};

SurveySummary surveySummary(const CDTDoc& doc);

enum class SurveyUnit { Lux, FootCandles };

// The unit a person reads the figures in: foot-candles when every reading used was.
SurveyUnit preferredSurveyUnit(const SurveySummary& s);
double inSurveyUnit(double lux, SurveyUnit unit);

// "Eavg 412.3 Lux   Emin 298.0 Lux   Emax 530.1 Lux   U0 0.72   Ud 0.56   (48 of 50 readings)";
// against a requirement, a figure that misses it never reads as meeting it ("U0 0.599").
QString surveySummaryLine(const SurveySummary& s, const SurveyRequirement* r = nullptr);
// "3 readings left out: 1 invalid, 1 OL, 1 REL", or empty when none were.
QString surveyLeftOutText(const SurveySummary& s);
// Its reasons alone: "2 OL, 1 REL".
QString surveyLeftOutReasons(const SurveySummary& s);

// The strip under the memory list: the summary line, what was left out and the verdict against
// the list's requirement; all empty while the list has no records.
struct SurveyStripTexts {
    QString summary;
    QString leftOut;
    QString verdict;
    std::optional<bool> passed;  // none without a requirement
};
SurveyStripTexts surveyStripTexts(const CDTDoc& doc, const SurveyRequirement* r = nullptr);
// Every figure in both units and every count, as one JSON object; with a requirement, it and
// the verdict too.
QByteArray surveySummaryJson(const SurveySummary& s, const SurveyRequirement* r = nullptr);

}  // namespace km905
