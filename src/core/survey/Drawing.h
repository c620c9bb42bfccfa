// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "core/survey/SurveyGrid.h"

namespace km905 {

// A picture as shapes in one unit (pixels on screen, points on paper). It is painted in
// order: every rectangle, then every line, then every text.
struct DrawRect {
    QRectF box;
    std::optional<Rgb> fill;
    std::optional<Rgb> stroke;
    double strokeWidth = 0;
    double dash = 0;  // dashes and gaps this long; 0 draws the stroke whole
};

struct DrawLine {
    QPointF from, to;
    Rgb colour{0, 0, 0};
    double width = 1;
};

enum class TextAlign : uint8_t { Left, Centre, Right };

struct DrawText {
    QRectF box;
    QString text;
    double size = 10;  // the font's height in the picture's unit
    bool bold = false;
    Rgb colour{0, 0, 0};
    TextAlign align = TextAlign::Left;
    bool wrap = false;  // wrapped at spaces from the box's top; otherwise one line, centred
                        // vertically in the box
};

struct Drawing {
    std::vector<DrawRect> rects;
    std::vector<DrawLine> lines;
    std::vector<DrawText> texts;

    void append(const Drawing& other) {
        rects.insert(rects.end(), other.rects.begin(), other.rects.end());
        lines.insert(lines.end(), other.lines.begin(), other.lines.end());
        texts.insert(texts.end(), other.texts.begin(), other.texts.end());
    }
};

// How many lines a text needs in a box this wide, by the widths of a sans-serif face's
// letters, wrapped at spaces as the painter wraps; its own line breaks count too.
int estimatedLines(const QString& text, double size, double width);

}  // namespace km905
