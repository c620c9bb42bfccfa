// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/Drawing.h"

#include <QStringList>
#include <cmath>

namespace km905 {

namespace {
// A letter's width in font heights, a little over a sans-serif face's own, so that a guess
// errs towards more room: spaces, punctuation and the slim letters, then all the others.
double letterWidth(QChar c) {
    static const QString kNarrow = QStringLiteral(" \u00A0.,:;'!|()[]-/fijlrtI");
    return kNarrow.contains(c) ? 0.3 : 0.58;
}

double wordWidth(const QString& word) {
    double w = 0;
    for (QChar c : word) w += letterWidth(c);
    return w;
}
}  // namespace

int estimatedLines(const QString& text, double size, double width) {
    const double line = std::max(1.0, width / size);
    const double space = letterWidth(QLatin1Char(' '));
    int lines = 0;
    for (const QString& para : text.split(QLatin1Char('\n'))) {
        // Filled word by word, as the painter wraps: a line breaks at a space only, never
        // inside a word (nor at a no-break space).
        int paraLines = 1;
        double used = 0;
        bool first = true;
        for (const QString& word : para.split(QLatin1Char(' '))) {
            const double w = wordWidth(word);
            if (!first && used + space + w > line) {
                ++paraLines;
                used = 0;
                first = true;
            }
            if (w > line) {
                // Wider than a line: counted as the lines its letters fill.
                const int more = static_cast<int>(std::ceil(w / line)) - 1;
                paraLines += more;
                used = w - more * line;
            } else {
                used += (first ? 0 : space) + w;
            }
            first = false;
        }
        lines += paraLines;
    }
    return lines;
}

}  // namespace km905
