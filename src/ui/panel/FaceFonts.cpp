// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/FaceFonts.h"

#include <QFontMetricsF>
#include <map>

namespace km905 {

namespace {
// A positive height is the whole cell, a negative one the character height.
QFont make(const QString& family, int height, int avgWidth, int weight, bool italic,
           const QString& sample = QStringLiteral("0123456789")) {
    QFont f(family);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(italic);
    f.setPixelSize(height > 0 ? std::max(1, height * 100 / 115) : -height);
    if (avgWidth > 0) {
        // Squeezed so that the texts the face shows get the width a character is given.
        const double actual = QFontMetricsF(f).horizontalAdvance(sample) / sample.size();
        if (actual > 0)
            f.setStretch(std::clamp(static_cast<int>(100.0 * avgWidth / actual), 20, 400));
    }
    return f;
}
}  // namespace

int faceCharWidth(FaceFont kind) {
    switch (kind) {
        case FaceFont::Number:
            return 15;
        case FaceFont::Offline:
        case FaceFont::Brand:
            return 13;
        case FaceFont::Clock:
            return 6;
        default:
            return 0;
    }
}

QFont faceFont(FaceFont kind) {
    static std::map<FaceFont, QFont> cache;
    auto it = cache.find(kind);
    if (it != cache.end()) return it->second;
    QFont f;
    switch (kind) {
        case FaceFont::Small:
            f = make("Arial", -9, 0, QFont::Normal, false);
            break;
        case FaceFont::Number:
            f = make("Narrow Arial", 60, 15, QFont::Bold, false);
            break;
        case FaceFont::Offline:
            f = make("Narrow Arial", 60, 13, QFont::Bold, false, QStringLiteral("OFFLINE"));
            break;
        case FaceFont::Clock:
            f = make("Narrow Arial", -20, 6, QFont::Bold, false, QStringLiteral("0123456789:"));
            break;
        case FaceFont::Tiny:
            f = make(" Narrow Arial", -7, 0, QFont::Normal, false);
            break;
        case FaceFont::Brand:
            f = make("Arial Black", -24, 13, QFont::Thin, true, QStringLiteral("ORVANE"));
            break;
        case FaceFont::BrandLine:
            f = make("Arial", -10, 0, QFont::Thin, true);
            break;
    }
    cache.emplace(kind, f);
    return f;
}

}  // namespace km905
