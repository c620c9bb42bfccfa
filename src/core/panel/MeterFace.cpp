// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/MeterFace.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

namespace km905 {

const BarTicks& barTicks() {
    static const BarTicks ticks = [] {
        BarTicks t;
        for (int i = 0; i <= 20; ++i) {
            const float theta = static_cast<float>(i - 20) * 0.0174532924f;
            const float r = i % 5 == 0 ? 157.0f : 153.0f;
            t.innerX[i] = 109.0f + 145.0f * std::sin(theta);
            t.innerY[i] = 335.0f - 145.0f * std::cos(theta);
            t.outerX[i] = 109.0f + r * std::sin(theta);
            t.outerY[i] = 335.0f - r * std::cos(theta);
            // The right half mirrors the left about x = 109.
            t.innerX[40 - i] = 218.0f - t.innerX[i];
            t.innerY[40 - i] = t.innerY[i];
            t.outerX[40 - i] = 218.0f - t.outerX[i];
            t.outerY[40 - i] = t.outerY[i];
        }
        return t;
    }();
    return ticks;
}

FacePicture meterFace(const ViewState& v) {
    FacePicture f;
    f.offline = v.m_linkDown != 0;
    if (f.offline) {
        f.texts.push_back({QStringLiteral("OFFLINE"), FaceFont::Offline, 53, 160, true});
    } else {
        const auto len = static_cast<int>(v.m_lcdValue.size());
        f.texts.push_back({v.m_lcdValue, FaceFont::Number, 145 - 15 * len, 190});
        f.texts.push_back({v.m_lcdUnit, FaceFont::Small, 140, 250});
        f.texts.push_back({v.m_lcdHold, FaceFont::Small, 58, 263});
        if (v.m_lcdMode != QLatin1String("    "))
            f.texts.push_back({QStringLiteral("Manu"), FaceFont::Small, 60, 250});
        f.texts.push_back({QStringLiteral("Tovik"), FaceFont::Small, 130, 150});
        f.texts.push_back({v.m_lcdMemFlag, FaceFont::Small, 110, 130});
        f.texts.push_back({v.m_lcdBanner, FaceFont::Small, 120, 160});
        f.texts.push_back({v.m_lcdClockCaption, FaceFont::Small, 60, 135});
        if (v.m_lcdMode != QLatin1String("Manu"))
            f.texts.push_back({v.m_lcdMode, FaceFont::Tiny, 90, 252});
        f.texts.push_back({v.m_lcdRange, FaceFont::Tiny, 117, 250});
        f.lines.push_back({117, 258, 120 + 3 * static_cast<int>(v.m_lcdRange.size()), 258});
        f.texts.push_back({v.m_lcdClock, FaceFont::Clock, 60, 145});
        f.texts.push_back({v.m_lcdMemNo, FaceFont::Clock, 133, 125});

        // The bar has 41 ticks; a larger count fills it, a negative one leaves it empty.
        const int counts = std::min(v.m_lcdCounts, 40);
        const BarTicks& t = barTicks();
        for (int i = 0; i <= counts; ++i) {
            f.lines.push_back({static_cast<int>(t.innerX[i]), static_cast<int>(t.innerY[i]),
                               static_cast<int>(t.outerX[i]), static_cast<int>(t.outerY[i])});
            ++f.ticksDrawn;
            if (i % 10 != 0) continue;
            const int ox = static_cast<int>(t.outerX[i]), oy = static_cast<int>(t.outerY[i]);
            const int dx = i == 0 ? -2 : i == 40 ? -5 : -4;
            const int dy = i == 40 ? -7 : -6;
            f.texts.push_back({QString::number(i), FaceFont::Tiny, ox + dx, oy + dy});
        }
    }
    f.texts.push_back({QStringLiteral("ORVANE"), FaceFont::Brand, 3, 0});
    f.texts.push_back({QStringLiteral("ROVAZIDARIV"), FaceFont::BrandLine, 47, 26});
    f.lines.push_back({3, 28, 47, 28});
    f.lines.push_back({3, 33, 47, 33});
    return f;
}

QString meterFaceSpoken(const ViewState& v) {
    if (v.m_linkDown != 0) return QStringLiteral("OFFLINE");
    QStringList parts;
    // The blanks that keep the face's columns are not read out.
    auto add = [&parts](const QString& text) {
        if (!text.trimmed().isEmpty()) parts << text.simplified();
    };
    add(v.m_lcdValue + QLatin1Char(' ') + v.m_lcdUnit);
    if (!v.m_lcdRange.trimmed().isEmpty()) add(QStringLiteral("range ") + v.m_lcdRange);
    if (v.m_lcdMode != QLatin1String("    ")) add(QStringLiteral("Manu"));
    if (v.m_lcdMode != QLatin1String("Manu")) add(v.m_lcdMode);
    add(v.m_lcdHold);
    add(v.m_lcdMemFlag + QLatin1Char(' ') + v.m_lcdMemNo);
    add(v.m_lcdBanner);
    add(v.m_lcdClockCaption + QLatin1Char(' ') + v.m_lcdClock);
    return parts.join(QStringLiteral(", "));
}

}  // namespace km905
