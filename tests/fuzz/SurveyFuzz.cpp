// SPDX-License-Identifier: GPL-3.0-or-later
// A list file, whatever it holds, through the lighting survey: the figures, the strip's
// texts, the grid map's picture and the report's pages.
//   byte 0: grid columns, byte 1: rows (each 1 + value % 99), byte 2: bit 0 serpentine,
//   bit 1 Letter paper, bit 2 no grid; then the list file.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/files/ListFile.h"
#include "core/survey/GridMapPicture.h"
#include "core/survey/SurveyReport.h"
#include "core/survey/SurveySummary.h"

using namespace km905;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool finite(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

// Nothing drawn lands at a place or size that is not a number.
void checkDrawing(const Drawing& d) {
    for (const DrawRect& r : d.rects) check(finite(r.box) && std::isfinite(r.strokeWidth));
    for (const DrawLine& l : d.lines)
        check(std::isfinite(l.from.x()) && std::isfinite(l.from.y()) && std::isfinite(l.to.x()) &&
              std::isfinite(l.to.y()) && std::isfinite(l.width));
    for (const DrawText& t : d.texts) check(finite(t.box) && std::isfinite(t.size) && t.size > 0);
}

void checkSummary(const SurveySummary& s) {
    check(s.used >= 0 && s.used <= s.total && s.leftOut() >= 0);
    check(s.invalid + s.overRange + s.relative + s.peakMax + s.peakMin + s.maximum + s.minimum +
              s.negative + s.other ==
          s.leftOut());
    if (!s.hasFigures()) return;
    check(std::isfinite(s.eminLux) && std::isfinite(s.eavgLux) && std::isfinite(s.emaxLux));
    check(0 <= s.eminLux && s.eminLux <= s.eavgLux && s.eavgLux <= s.emaxLux);
    check(s.minRecord >= 0 && s.minRecord < s.total);
    for (const std::optional<double> r : {s.u0(), s.ud()})
        if (r) check(*r >= 0 && *r <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const GridShape shape{1 + data[0] % 99, 1 + data[1] % 99,
                          (data[2] & 1) ? GridOrder::Serpentine : GridOrder::RowByRow};
    const PaperSize paper = (data[2] & 2) ? PaperSize::Letter : PaperSize::A4;
    const bool withGrid = (data[2] & 4) == 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 3),
                           static_cast<qsizetype>(size - 3));
    const ListReadResult l = readListFile(bytes);
    static CDTDoc doc;
    listToDocument(l.records, doc);

    const SurveySummary s = surveySummary(doc);
    checkSummary(s);
    (void)surveyStripTexts(doc);
    (void)surveySummaryJson(s);

    const GridMap map = surveyGridMap(doc, shape, s);
    check(map.cells.size() == static_cast<size_t>(shape.points()));
    for (const GridCell& c : map.cells)
        check(c.record < 0 || surveyUseOf(doc, c.record) == SurveyUse::Used);
    check(map.leftOut.size() == static_cast<size_t>(s.leftOut()));
    const QString notes = gridNotesText(map, doc);
    checkDrawing(gridMapPicture(map, s, notes, QRectF(0, 0, 640, 480), GridMapLook{}).drawing);

    const ReportDetails details{QStringLiteral("Hall"), QStringLiteral("Plant 4"), notes.left(200)};
    const SurveyReport report = surveyReport(surveyReportInput(
        doc, withGrid ? std::optional<GridShape>(shape) : std::nullopt, details, 0, paper));
    check(!report.pages.empty());
    for (const Drawing& page : report.pages) checkDrawing(page);
    return 0;
}
