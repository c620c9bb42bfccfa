// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "core/model/MeterState.h"
#include "core/realtime/RtGraph.h"

namespace km905 {

// A printed graph report in hundredths of an inch from the bottom-right corner of the
// printable area: x negative to the left, y positive upwards.
struct ReportPage {
    enum class Pen { Frame, Trace, Grid };
    enum class Font { Title, Small, List };
    struct Line {
        Pen pen;
        int x1, y1, x2, y2;
    };
    struct Text {
        QString text;
        Font font;
        int x, y;  // top-left; the text hangs below
    };
    std::vector<Line> lines;  // in drawing order; the white bands follow the frame and trace
    int traceEnd = 0;         // lines before this index are drawn before the white bands
    bool whiteBands = false;  // cut the trace at the frame's top and bottom
    std::vector<Text> texts;
    QString documentName;  // the print job's name
    QString title;         // a PDF's title: what the report is of
    // What the print dialog proposes for a PDF, without extension: named as Save names it.
    QString proposedName;
    int gridGrey = 127;  // red, green and blue of the dotted grid pen
};

// Pen widths in hundredths of an inch: the frame and the trace 2, the dotted grid 1.
int penWidth(ReportPage::Pen pen);

// How printing ended, and what the user is told when it failed.
enum class PrintOutcome { Printed, Cancelled, NoPrinter, DocumentFailed, PageFailed };
QString printFailureText(PrintOutcome outcome);  // empty when there is nothing to say

// The real-time report: every sample, in the full view's Y scale.
ReportPage realtimeReport(const MeterModel& m, qint64 printedAtSecs);

}  // namespace km905
