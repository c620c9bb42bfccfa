// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/print/ReportPage.h"

#include "core/model/TimeText.h"

namespace km905 {

ReportPage realtimeReport(const MeterModel& m, qint64 printedAtSecs) {
    ReportPage p;
    p.documentName = QStringLiteral("client   print");
    p.proposedName = formatLocalTime(m.view.m_startTime, kFileNameTimeFormat);
    p.title = QStringLiteral("Real-time graph ") + p.proposedName;
    using Pen = ReportPage::Pen;
    p.lines = {{Pen::Frame, -750, 200, -10, 200},
               {Pen::Frame, -750, 200, -750, 1000},
               {Pen::Frame, -750, 1000, -10, 1000},
               {Pen::Frame, -10, 200, -10, 1000}};
    const int n = std::clamp(m.view.m_sampleIndex, 0, kReadingsCapacity);
    double labels[11];
    for (int c = 0; c <= 10; ++c)
        labels[c] = static_cast<double>((c + m.view.m_yOffset) * m.view.m_yGain);
    const double y0 = labels[0], y10 = labels[10];
    if (n >= 2 && y10 != y0) {
        const float step = 740.0f / static_cast<float>(n - 1);
        auto yOf = [&](int i) {
            const float r = m.doc.m_readings[static_cast<size_t>(i)];
            const double v = m.frame.m_unitFC == 1 ? static_cast<double>(r * kLuxToFcSingle) : r;
            return toPixel((v - y0) * 800 / (y10 - y0) + 200);
        };
        int prev = yOf(0);
        for (int i = 0; i + 1 < n; ++i) {
            const int next = yOf(i + 1);
            p.lines.push_back({Pen::Trace, static_cast<int>(i * step - 750), prev,
                               static_cast<int>((i + 1) * step - 750), next});
            prev = next;
        }
    }
    p.traceEnd = static_cast<int>(p.lines.size());
    p.whiteBands = true;
    p.texts.push_back({QStringLiteral(" Test Report "), ReportPage::Font::Title, -620, 1120});
    p.texts.push_back({QStringLiteral("Light"), ReportPage::Font::Small, -750, 1025});
    for (int c = 0; c <= 10; ++c)
        p.texts.push_back(
            {QString::asprintf("%.1f", labels[c]), ReportPage::Font::Small, -800, 210 + 80 * c});
    const int xs[5] = {-750, -580, -410, -240, -70};
    for (int j = 0; j < 5; ++j) {
        const qint64 t =
            m.view.m_startTime + (static_cast<qint64>(n / 4) * m.view.m_sampleRateMs * j) / 1000;
        p.texts.push_back(
            {formatLocalTime(t, kClockTimeFormat), ReportPage::Font::Small, xs[j], 195});
    }
    for (int k = 0; k < 10; ++k)
        p.lines.push_back({Pen::Grid, -10, 280 + 80 * k, -755, 280 + 80 * k});
    for (int x : {-565, -380, -195}) p.lines.push_back({Pen::Grid, x, 200, x, 1000});
    p.texts.push_back(
        {formatLocalTime(printedAtSecs, "%Y-%m-%d  %H:%M"), ReportPage::Font::Small, -200, 100});
    return p;
}

int penWidth(ReportPage::Pen pen) {
    return pen == ReportPage::Pen::Grid ? 1 : 2;
}

QString printFailureText(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::NoPrinter:
            return QStringLiteral("Printer is busy!");
        case PrintOutcome::DocumentFailed:
            return QStringLiteral("Initial error!");
        case PrintOutcome::PageFailed:
            return QStringLiteral("Can't start printing!");
        case PrintOutcome::Printed:
        case PrintOutcome::Cancelled:
            break;
    }
    return {};
}

}  // namespace km905
