// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveySummary.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/model/MeterTypes.h"
#include "core/survey/SurveyRequirement.h"

namespace km905 {

std::optional<double> SurveySummary::u0() const {
    if (!hasFigures() || eavgLux <= 0) return std::nullopt;
    return eminLux / eavgLux;
}

std::optional<double> SurveySummary::ud() const {
    if (!hasFigures() || emaxLux <= 0) return std::nullopt;
    return eminLux / emaxLux;
}

SurveyUse surveyUseOf(const CDTDoc& doc, int record) {
    const auto k = static_cast<size_t>(record);
    const float lux = doc.m_memValues[k];
    const QString& mode = doc.m_memModes[k];
    if (!std::isfinite(lux) || lux < 0) return SurveyUse::Invalid;
    if (lux == kOverRange) return SurveyUse::OverRange;
    if (mode == QLatin1String("Rel")) return SurveyUse::Relative;
    if (mode == QLatin1String("Pmax")) return SurveyUse::PeakMax;
    if (mode == QLatin1String("Pmin")) return SurveyUse::PeakMin;
    if (mode == QLatin1String("Max")) return SurveyUse::Maximum;
    if (mode == QLatin1String("Min")) return SurveyUse::Minimum;
    if (mode != QLatin1String("General")) return SurveyUse::Other;
    if (doc.m_memFlagB[k] != 0) return SurveyUse::Negative;
    return SurveyUse::Used;
}

namespace {
// The count of each reason, in SurveyUse's order.
constexpr int SurveySummary::*kLeftOutCounts[] = {nullptr,
                                                  &SurveySummary::invalid,
                                                  &SurveySummary::overRange,
                                                  &SurveySummary::relative,
                                                  &SurveySummary::peakMax,
                                                  &SurveySummary::peakMin,
                                                  &SurveySummary::maximum,
                                                  &SurveySummary::minimum,
                                                  &SurveySummary::negative,
                                                  &SurveySummary::other};
static_assert(std::size(kLeftOutCounts) == static_cast<size_t>(SurveyUse::Other) + 1);
}  // namespace

SurveySummary surveySummary(const CDTDoc& doc) {
    SurveySummary s;
    s.total = std::clamp(doc.m_memCount, 0, kMemCapacity);
    long double sum = 0;
    bool allFc = true;
    for (int i = 0; i < s.total; ++i) {
        if (const SurveyUse use = surveyUseOf(doc, i); use != SurveyUse::Used) {
            ++(s.*kLeftOutCounts[static_cast<size_t>(use)]);
            continue;
        }
        const auto k = static_cast<size_t>(i);
        const float lux = doc.m_memValues[k];
        if (s.used == 0 || lux < s.eminLux) {
            s.eminLux = lux;
            s.minRecord = i;
        }
        if (s.used == 0 || lux > s.emaxLux) s.emaxLux = lux;
        sum += lux;
        allFc = allFc && doc.m_memUnitFC[k] != 0;
        ++s.used;
    }
    s.sumLux = sum;
    if (s.used > 0) s.eavgLux = static_cast<double>(sum / s.used);
    s.allFootCandles = s.used > 0 && allFc;
    return s;
}

SurveyUnit preferredSurveyUnit(const SurveySummary& s) {
    return s.allFootCandles ? SurveyUnit::FootCandles : SurveyUnit::Lux;
}

double inSurveyUnit(double lux, SurveyUnit unit) {
    return unit == SurveyUnit::FootCandles ? lux * kLuxToFc : lux;
}

namespace {
QString ratioText(std::optional<double> r) {
    return r ? QString::asprintf("%.2f", *r) : QStringLiteral("--");
}
}  // namespace

QString surveySummaryLine(const SurveySummary& s, const SurveyRequirement* r) {
    const QString count = QStringLiteral("(%1 of %2 readings)").arg(s.used).arg(s.total);
    if (!s.hasFigures()) return QStringLiteral("No normal readings to survey   ") + count;
    const SurveyUnit unit = preferredSurveyUnit(s);
    const QString u =
        unit == SurveyUnit::FootCandles ? QStringLiteral("FC") : QStringLiteral("Lux");
    auto figure = [&](const char* name, double lux) {
        return QString::asprintf("%s %.1f ", name, inSurveyUnit(lux, unit)) + u;
    };
    // The requirement is in lux: a figure in lux shows the decimals it needs against it.
    const QString eavg = unit == SurveyUnit::Lux
                             ? QStringLiteral("Eavg %1 ").arg(eavgText(s, r)) + u
                             : figure("Eavg", s.eavgLux);
    return QStringList{eavg,
                       figure("Emin", s.eminLux),
                       figure("Emax", s.emaxLux),
                       QStringLiteral("U0 ") + u0FigureText(s, r),
                       QStringLiteral("Ud ") + ratioText(s.ud()),
                       count}
        .join(QStringLiteral("   "));
}

QString surveyUseName(SurveyUse use) {
    switch (use) {
        case SurveyUse::Used:
            return {};
        case SurveyUse::Invalid:
            return QStringLiteral("invalid");
        case SurveyUse::OverRange:
            return QStringLiteral("OL");
        case SurveyUse::Relative:
            return QStringLiteral("REL");
        case SurveyUse::PeakMax:
            return QStringLiteral("Pmax");
        case SurveyUse::PeakMin:
            return QStringLiteral("Pmin");
        case SurveyUse::Maximum:
            return QStringLiteral("MAX");
        case SurveyUse::Minimum:
            return QStringLiteral("MIN");
        case SurveyUse::Negative:
            return QStringLiteral("negative");
        case SurveyUse::Other:
            return QStringLiteral("other");
    }
    return QStringLiteral("other");
}

QString surveyLeftOutReasons(const SurveySummary& s) {
    QStringList parts;
    for (size_t i = 1; i < std::size(kLeftOutCounts); ++i)
        if (const int n = s.*kLeftOutCounts[i]; n > 0)
            parts << QStringLiteral("%1 %2").arg(n).arg(surveyUseName(static_cast<SurveyUse>(i)));
    return parts.join(", ");
}

QString surveyLeftOutText(const SurveySummary& s) {
    if (s.leftOut() == 0) return {};
    const QString readings =
        s.leftOut() == 1 ? QStringLiteral("reading") : QStringLiteral("readings");
    return QStringLiteral("%1 %2 left out: %3")
        .arg(s.leftOut())
        .arg(readings, surveyLeftOutReasons(s));
}

SurveyStripTexts surveyStripTexts(const CDTDoc& doc, const SurveyRequirement* r) {
    if (doc.m_memCount <= 0) return {};
    const SurveySummary s = surveySummary(doc);
    SurveyStripTexts t{surveySummaryLine(s, r), surveyLeftOutText(s), QString(), std::nullopt};
    if (r) {
        t.verdict = verdictLine(s, *r);
        t.passed = surveyVerdict(s, *r).pass;
    }
    return t;
}

QByteArray surveySummaryJson(const SurveySummary& s, const SurveyRequirement* r) {
    QJsonObject o;
    o["readings"] = s.total;
    o["used"] = s.used;
    QJsonObject left;
    left["total"] = s.leftOut();
    left["invalid"] = s.invalid;
    left["OL"] = s.overRange;
    left["REL"] = s.relative;
    left["Pmax"] = s.peakMax;
    left["Pmin"] = s.peakMin;
    left["MAX"] = s.maximum;
    left["MIN"] = s.minimum;
    left["negative"] = s.negative;
    left["other"] = s.other;
    o["left_out"] = left;
    if (s.hasFigures()) {
        auto both = [](double lux) {
            QJsonObject v;
            v["lux"] = lux;
            v["fc"] = lux * kLuxToFc;
            return v;
        };
        o["Emin"] = both(s.eminLux);
        o["Emax"] = both(s.emaxLux);
        o["Eavg"] = both(s.eavgLux);
        o["min_record"] = s.minRecord + 1;
        o["U0"] = s.u0() ? QJsonValue(*s.u0()) : QJsonValue();
        o["Ud"] = s.ud() ? QJsonValue(*s.ud()) : QJsonValue();
    }
    if (r) {
        o["requirement"] = requirementJson(*r);
        o["verdict"] = verdictJson(surveyVerdict(s, *r));
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

}  // namespace km905
