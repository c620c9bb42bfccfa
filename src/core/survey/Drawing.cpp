#include "survey/Drawing.h"

#include <QStringList>
#include <cmath>

namespace km905 {

int estimatedLines(const QString& text, double size, double width) {
    // A little wider than the average letter, so that a guess errs towards more room.
    const double perLine = std::max(1.0, std::floor(width / (0.55 * size)));
    int lines = 0;
    for (const QString& para : text.split(QLatin1Char('\n')))
        lines += std::max(1, static_cast<int>(std::ceil(para.size() / perLine)));
    return lines;
}

}  // namespace km905
