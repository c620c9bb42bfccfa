// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveyRequirement.h"

#include <QJsonArray>
#include <QLocale>
#include <cmath>

namespace km905 {

namespace {
// The survey's sums are long double: the readings are floats, so with a 64-bit significand
// the products below are exact and a figure at its limit is decided as it is.
bool eavgMet(const SurveySummary& s, const SurveyRequirement& r) {
    return 100.0L * s.sumLux >= static_cast<long double>(r.emCentilux) * s.used;
}

bool u0Met(const SurveySummary& s, const SurveyRequirement& r) {
    return 1000.0L * s.eminLux * s.used >= static_cast<long double>(r.u0Milli) * s.sumLux;
}

// The value with `decimals`, or more while the text would read as reaching the limit.
QString belowLimitText(double value, int decimals, double limit, bool misses) {
    QString t = QString::number(value, 'f', decimals);
    while (misses && decimals < 6 && t.toDouble() >= limit)
        t = QString::number(value, 'f', ++decimals);
    return t;
}
}  // namespace

SurveyRequirement surveyRequirement(const QString& area, double emLux, double u0) {
    return {area, static_cast<int>(std::llround(emLux * 100)),
            static_cast<int>(std::llround(u0 * 1000))};
}

const std::vector<SurveyRequirement>& standardAreas() {
    static const std::vector<SurveyRequirement> kAreas{
        {QStringLiteral("Writing, typing, reading, data processing"), 50000, 600},
        {QStringLiteral("Technical drawing"), 75000, 700},
        {QStringLiteral("Conference and meeting rooms"), 50000, 600},
        {QStringLiteral("Reception desks"), 30000, 600},
        {QStringLiteral("Archives"), 20000, 400},
        {QStringLiteral("Corridors and circulation areas"), 10000, 400},
        {QStringLiteral("Stairs"), 15000, 400},
    };
    return kAreas;
}

QString emText(const SurveyRequirement& r) {
    if (r.emCentilux % 100 == 0) return QString::number(r.emCentilux / 100);
    QString t = QString::number(r.emLux(), 'f', 2);
    if (t.endsWith(QLatin1Char('0'))) t.chop(1);
    return t;
}

QString u0Text(const SurveyRequirement& r) {
    return QString::number(r.u0(), 'f', r.u0Milli % 10 == 0 ? 2 : 3);
}

QString requirementText(const SurveyRequirement& r) {
    QString t = QStringLiteral("Required \u0112m %1 lx, U0 %2").arg(emText(r), u0Text(r));
    if (!r.area.isEmpty()) t += QStringLiteral(" (%1)").arg(r.area);
    return t;
}

std::optional<SurveyRequirement> parseRequirement(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) return std::nullopt;
    bool okEm = false, okU0 = false;
    const double em = QLocale::c().toDouble(parts[0].trimmed(), &okEm);
    const double u0 = QLocale::c().toDouble(parts[1].trimmed(), &okU0);
    if (!okEm || !okU0 || !(em > 0) || em > 1e6 || !(u0 >= 0) || u0 > 1) return std::nullopt;
    const SurveyRequirement r = surveyRequirement(QString(), em, u0);
    if (!r.valid()) return std::nullopt;
    return r;
}

std::optional<SurveyRequirement> findArea(const std::vector<SurveyRequirement>& areas,
                                          const QString& name) {
    const QString want = name.trimmed();
    if (want.isEmpty()) return std::nullopt;
    for (const SurveyRequirement& a : areas)
        if (a.area.compare(want, Qt::CaseInsensitive) == 0) return a;
    std::optional<SurveyRequirement> found;
    for (const SurveyRequirement& a : areas)
        if (a.area.startsWith(want, Qt::CaseInsensitive)) {
            if (found) return std::nullopt;  // more than one
            found = a;
        }
    return found;
}

bool belowRequired(double lux, const SurveyRequirement& r) {
    return 100.0L * lux < r.emCentilux;
}

QString eavgText(const SurveySummary& s, const SurveyRequirement* r) {
    return belowLimitText(s.eavgLux, 1, r ? r->emLux() : 0, r && !eavgMet(s, *r));
}

QString u0FigureText(const SurveySummary& s, const SurveyRequirement* r) {
    const std::optional<double> u0 = s.u0();
    if (!u0) return QStringLiteral("--");
    return belowLimitText(*u0, 2, r ? r->u0() : 0, r && !u0Met(s, *r));
}

SurveyVerdict surveyVerdict(const SurveySummary& s, const SurveyRequirement& r) {
    SurveyVerdict v;
    if (!s.hasFigures()) {
        v.failed << QStringLiteral("no normal readings");
        return v;
    }
    if (!eavgMet(s, r)) v.failed << QStringLiteral("Eavg %1 < %2").arg(eavgText(s, &r), emText(r));
    // With no light at all there is no uniformity to judge; Eavg has failed already.
    if (s.u0() && !u0Met(s, r))
        v.failed << QStringLiteral("U0 %1 < %2").arg(u0FigureText(s, &r), u0Text(r));
    v.pass = v.failed.isEmpty();
    return v;
}

QString verdictText(const SurveyVerdict& v) {
    if (v.pass) return QStringLiteral("PASS");
    return QStringLiteral("FAIL: ") + v.failed.join(QStringLiteral("; "));
}

QString verdictLine(const SurveySummary& s, const SurveyRequirement& r) {
    return requirementText(r) + QStringLiteral(": ") + verdictText(surveyVerdict(s, r));
}

QJsonObject requirementJson(const SurveyRequirement& r) {
    QJsonObject o;
    o["area"] = r.area.isEmpty() ? QJsonValue() : QJsonValue(r.area);
    o["Em_lux"] = r.emLux();
    o["U0"] = r.u0();
    return o;
}

QJsonObject verdictJson(const SurveyVerdict& v) {
    QJsonObject o;
    o["pass"] = v.pass;
    o["failed"] = QJsonArray::fromStringList(v.failed);
    o["text"] = verdictText(v);
    return o;
}

}  // namespace km905
