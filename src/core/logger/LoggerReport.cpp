// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerReport.h"

#include <algorithm>

#include "core/files/GraphFile.h"
#include "core/graph/PlotRect.h"
#include "core/model/TimeText.h"

namespace km905 {

ReportPage loggerReport(const CDTDoc& d, const YLabels& labels, qint64 printedAtSecs) {
    ReportPage p;
    p.gridGrey = 27;  // darker than the real-time report's grid
    p.documentName = QStringLiteral("client   print");
    p.proposedName = formatMeterTime(graphFromDocument(d).start, kFileNameTimeFormat);
    p.title = QStringLiteral("Datalogger record ") + p.proposedName;
    using Pen = ReportPage::Pen;
    using Font = ReportPage::Font;
    p.lines = {{Pen::Frame, -750, 200, -10, 200},
               {Pen::Frame, -750, 200, -750, 1000},
               {Pen::Frame, -750, 1000, -10, 1000},
               {Pen::Frame, -10, 200, -10, 1000}};
    const int n = std::clamp(d.fileCount(), 0, static_cast<int>(d.m_file.readings.size()));
    p.traceEnd = static_cast<int>(p.lines.size());
    if (n <= 0) return p;  // the empty frame
    const double y0 = labels[0], y10 = labels[10];
    if (n >= 2 && y10 != y0) {
        const double step = 740.0 / (n - 1);
        const bool fc = d.m_file.unitFC == 1;
        auto yOf = [&](int i) {
            const double v = plottedValue(d.m_file.readings[static_cast<size_t>(i)], fc);
            return toPixel(800 / (y10 - y0) * (v - y0) + 200);
        };
        int prev = yOf(0);
        for (int i = 0; i + 1 < n; ++i) {
            const int next = yOf(i + 1);
            p.lines.push_back(
                {Pen::Trace, toPixel(i * step - 750), prev, toPixel((i + 1) * step - 750), next});
            prev = next;
        }
    }
    p.traceEnd = static_cast<int>(p.lines.size());
    p.whiteBands = true;
    p.texts.push_back({QStringLiteral(" Test Report "), Font::Title, -620, 1120});
    p.texts.push_back({QStringLiteral("Light"), Font::Small, -750, 1025});
    for (int k = 0; k <= 10; ++k)
        p.texts.push_back({QString::asprintf("%.1f", labels[static_cast<size_t>(k)]), Font::Small,
                           -800, 210 + 80 * k});
    const int xs[5] = {-750, -580, -410, -240, -70};
    for (int j = 0; j < 5; ++j) {
        const qint64 t = d.m_fileStartTime + static_cast<qint64>(n / 4) * d.m_file.rateSecs * j;
        p.texts.push_back({formatLocalTime(t, kClockTimeFormat), Font::Small, xs[j], 195});
    }
    for (int k = 0; k < 10; ++k)
        p.lines.push_back({Pen::Grid, -10, 280 + 80 * k, -755, 280 + 80 * k});
    for (int x : {-565, -380, -195}) p.lines.push_back({Pen::Grid, x, 200, x, 1000});
    p.texts.push_back({formatLocalTime(printedAtSecs, "%Y-%m-%d  %H:%M"), Font::Small, -200, 100});
    return p;
}

}  // namespace km905
