// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveyReport.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "core/memlist/MemoryListPages.h"
#include "core/model/TimeText.h"
#include "core/survey/GridMapPicture.h"

namespace km905 {

namespace {
constexpr double kMargin = 50;
constexpr double kBody = 10;
constexpr double kBodyLine = kBody * 1.35;
constexpr double kHeading = 13;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRule{90, 90, 90};
constexpr Rgb kHeaderFill{228, 228, 228};
constexpr Rgb kStripeFill{245, 245, 245};
constexpr Rgb kFootInk{80, 80, 80};

// The readings table: a heading, a header row, then rows.
constexpr double kTableHeadingH = 24;
constexpr double kTableHeaderH = 16;
constexpr double kRowH = 14;
constexpr double kRowText = 9;
constexpr double kColumns[6] = {45, 90, 60, 90, 130, 75};
const char* const kColumnNames[6] = {"NO.", "DATA", "UNIT", "STATUS", "TIME", "REQUIREMENT"};
constexpr Rgb kFailInk{190, 0, 0};
constexpr Rgb kFailFill{200, 30, 30};
constexpr Rgb kPassFill{20, 130, 60};
constexpr Rgb kWhite{255, 255, 255};

// The foot of the page, under the content.
constexpr double kFootReserve = 20;

// The grid map on paper.
constexpr double kMinMapHeight = 200;
const GridMapLook kPaperMap{9, 5.5, 60, 0.5};

struct Page {
    QSizeF size;
    Drawing d;
    double width() const { return size.width() - 2 * kMargin; }

    void text(const QRectF& box, const QString& t, double size, bool bold = false,
              TextAlign align = TextAlign::Left, Rgb ink = kBlack, bool wrap = false) {
        d.texts.push_back({box, t, size, bold, ink, align, wrap});
    }
    void line(double x1, double y1, double x2, double y2, double w, Rgb c = kRule) {
        d.lines.push_back({QPointF(x1, y1), QPointF(x2, y2), c, w});
    }
    void fill(const QRectF& box, Rgb c) { d.rects.push_back({box, c, std::nullopt, 0}); }
    double heading(double y, const QString& t) {
        text(QRectF(kMargin, y, width(), kTableHeadingH), t, kHeading, true);
        return y + kTableHeadingH;
    }
};

QString figure(double v) {
    return QString::asprintf("%.1f", v);
}

QString metres(double v, int decimals) {
    return QString::number(v, 'f', decimals) + QStringLiteral(" m");
}

// Title, site, dates and notes; returns where the next block starts. A long site or long
// notes are cut at a few lines, so that the summary keeps its place on the first page.
double titleBlock(Page& p, const SurveyReportInput& in, const QString& title) {
    double y = kMargin;
    p.text(QRectF(kMargin, y, p.width(), 30), title, 20, true);
    y += 32;
    p.line(kMargin, y, kMargin + p.width(), y, 1.2);
    y += 10;
    const double labelW = 90;
    const double valueW = p.width() - labelW;
    auto row = [&](const QString& label, const QString& value, int mostLines) {
        const int lines = std::clamp(estimatedLines(value, kBody, valueW), 1, mostLines);
        const double h = lines * kBodyLine + 4;
        p.text(QRectF(kMargin, y, labelW, kBodyLine), label, kBody, true);
        p.text(QRectF(kMargin + labelW, y, valueW, h), value, kBody, false, TextAlign::Left, kBlack,
               true);
        y += h;
    };
    const ReportDetails& d = in.details;
    if (!d.site.isEmpty()) row(QStringLiteral("Site"), d.site, 3);
    if (d.roomLength > 0 && d.roomWidth > 0)
        row(QStringLiteral("Room"),
            QStringLiteral("%1 x %2").arg(metres(d.roomLength, 2), metres(d.roomWidth, 2)), 1);
    if (d.planeHeight > 0)
        row(QStringLiteral("Working plane"),
            metres(d.planeHeight, 2) + QStringLiteral(" above the floor"), 1);
    if (!d.meterId.isEmpty()) row(QStringLiteral("Meter"), d.meterId, 2);
    row(QStringLiteral("Survey date"),
        in.surveyDate.isEmpty() ? QStringLiteral("--") : in.surveyDate, 1);
    row(QStringLiteral("Report date"), in.reportDate, 1);
    if (!in.details.notes.isEmpty()) row(QStringLiteral("Notes"), in.details.notes, 16);
    return y + 12;
}

struct SummaryRow {
    QString label, lux, fc;  // fc null: one value across both number columns
    bool header = false;
};

// The requirement, the figures it is judged on and the verdict, with each failure named.
constexpr double kVerdictH = 22;

bool isStandardArea(const SurveyRequirement& r) {
    for (const SurveyRequirement& a : standardAreas())
        if (a == r) return true;
    return false;
}

double requirementBlock(Page& p, const SurveyReportInput& in, double y, bool draw) {
    const SurveyRequirement& r = *in.requirement;
    const SurveySummary& s = in.summary;
    const double labelW = 90;
    const double valueW = p.width() - labelW;
    if (draw) p.heading(y, kRequirementHeading);
    y += kTableHeadingH;
    auto row = [&](const QString& label, const QString& value) {
        const double h = estimatedLines(value, kBody, valueW) * kBodyLine + 4;
        if (draw) {
            p.text(QRectF(kMargin, y, labelW, kBodyLine), label, kBody, true);
            p.text(QRectF(kMargin + labelW, y, valueW, h), value, kBody, false, TextAlign::Left,
                   kBlack, true);
        }
        y += h;
    };
    if (!r.area.isEmpty())
        row(QStringLiteral("Task area"),
            isStandardArea(r)
                ? QStringLiteral("%1 (values of %2)").arg(r.area, kStandardAreasSource)
                : r.area);
    row(QStringLiteral("Required"),
        QStringLiteral("\u0112m %1 lx, U0 %2").arg(emText(r), u0Text(r)));
    row(QStringLiteral("Measured"),
        s.hasFigures()
            ? QStringLiteral("Eavg %1 lx, U0 %2").arg(eavgText(s, &r), u0FigureText(s, &r))
            : QStringLiteral("no normal readings"));
    const SurveyVerdict v = surveyVerdict(s, r);
    y += 4;
    if (draw) {
        p.text(QRectF(kMargin, y, labelW, kVerdictH), QStringLiteral("Verdict"), kBody, true);
        const QRectF badge(kMargin + labelW, y, 56, kVerdictH);
        p.fill(badge, v.pass ? kPassFill : kFailFill);
        p.text(badge, v.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"), kHeading, true,
               TextAlign::Centre, kWhite);
        if (!v.pass)
            p.text(QRectF(badge.right() + 10, y, valueW - 66, kVerdictH),
                   v.failed.join(QStringLiteral("; ")), kBody, true, TextAlign::Left, kFailInk);
    }
    return y + kVerdictH + 18;
}

std::vector<SummaryRow> summaryRows(const SurveySummary& s, const SurveyRequirement* r) {
    const bool figures = s.hasFigures();
    auto lux = [&](double v) { return figures ? figure(v) : QStringLiteral("--"); };
    auto fc = [&](double v) { return figures ? figure(v * kLuxToFc) : QStringLiteral("--"); };
    return {
        {QStringLiteral("Figure"), QStringLiteral("Lux"), QStringLiteral("FC"), true},
        {QStringLiteral("Eavg (average)"), figures ? eavgText(s, r) : lux(0), fc(s.eavgLux)},
        {figures ? QStringLiteral("Emin (minimum, No. %1)").arg(s.minRecord + 1)
                 : QStringLiteral("Emin (minimum)"),
         lux(s.eminLux), fc(s.eminLux)},
        {QStringLiteral("Emax (maximum)"), lux(s.emaxLux), fc(s.emaxLux)},
        {QStringLiteral("U0 = Emin / Eavg"), u0FigureText(s, r), QString()},
        {QStringLiteral("Ud = Emin / Emax"),
         s.ud() ? QString::asprintf("%.2f", *s.ud()) : QStringLiteral("--"), QString()},
        {QStringLiteral("Readings used"), QStringLiteral("%1 of %2").arg(s.used).arg(s.total),
         QString()},
        {QStringLiteral("Left out"),
         s.leftOut() == 0 ? QStringLiteral("none")
                          : QStringLiteral("%1: %2").arg(s.leftOut()).arg(surveyLeftOutReasons(s)),
         QString()},
    };
}

constexpr double kSumLabelW = 170, kSumNumW = 110, kSumPad = 6, kSumRowH = 18;

double summaryRowHeight(const SummaryRow& r) {
    if (!r.fc.isNull()) return kSumRowH;
    const int lines = estimatedLines(r.lux, kBody, 2 * kSumNumW - 2 * kSumPad);
    return std::max(kSumRowH, lines * kBodyLine + 4.5);
}

double summaryHeight(const SurveySummary& s) {
    double h = kTableHeadingH + 18;
    for (const SummaryRow& r : summaryRows(s, nullptr)) h += summaryRowHeight(r);
    return h;
}

double summaryTable(Page& p, const SurveySummary& s, const SurveyRequirement* req, double y) {
    y = p.heading(y, QStringLiteral("Summary"));
    const double x0 = kMargin, labelW = kSumLabelW, numW = kSumNumW, pad = kSumPad;
    const double tableW = labelW + 2 * numW;
    const double top = y;
    for (const SummaryRow& r : summaryRows(s, req)) {
        const double h = summaryRowHeight(r);
        if (r.header) p.fill(QRectF(x0, y, tableW, h), kHeaderFill);
        p.text(QRectF(x0 + pad, y, labelW - 2 * pad, kSumRowH), r.label, kBody, r.header);
        if (r.fc.isNull()) {
            // Wrapped from the top, level with the one-line label beside it.
            const double off = (kSumRowH - kBody * 1.15) / 2;  // a line's own height
            p.text(QRectF(x0 + labelW + pad, y + off, 2 * numW - 2 * pad, h - off), r.lux, kBody,
                   r.header, TextAlign::Left, kBlack, true);
        } else {
            p.text(QRectF(x0 + labelW, y, numW - pad, h), r.lux, kBody, r.header, TextAlign::Right);
            p.text(QRectF(x0 + labelW + numW, y, numW - pad, h), r.fc, kBody, r.header,
                   TextAlign::Right);
        }
        y += h;
        p.line(x0, y, x0 + tableW, y, 0.5);
    }
    p.line(x0, top, x0 + tableW, top, 0.8);
    p.line(x0, top, x0, y, 0.8);
    p.line(x0 + tableW, top, x0 + tableW, y, 0.8);
    p.line(x0 + labelW, top, x0 + labelW, y, 0.5);
    // Lux and FC are apart for the four rows that give both.
    p.line(x0 + labelW + numW, top, x0 + labelW + numW, top + 4 * kSumRowH, 0.5);
    return y + 18;
}

void gridMap(Page& p, const SurveyReportInput& in, double y) {
    y = p.heading(y, gridMapTitle(in.grid->shape));
    const QRectF area(kMargin, y, p.width(), p.size.height() - kMargin - kFootReserve - y);
    p.d.append(gridMapPicture(*in.grid, in.summary, in.gridNotes, area, kPaperMap).drawing);
}

void readingsPage(Page& p, const SurveyReportInput& in, size_t first, size_t last) {
    const std::vector<QStringList>& rows = in.rows;
    double y = p.heading(
        kMargin, first == 0 ? QStringLiteral("Readings") : QStringLiteral("Readings (continued)"));
    // The sixth column marks the readings below Ēm, when there is a requirement.
    const int columns = in.requirement ? 6 : 5;
    double tableW = 0;
    for (int c = 0; c < columns; ++c) tableW += kColumns[c];
    auto cells = [&](const QStringList& texts, double h, bool bold, bool below = false) {
        double x = kMargin;
        for (int c = 0; c < columns; ++c) {
            const bool marked = below && (c == 1 || c == 5);
            if (!texts.value(c).isEmpty())
                p.text(QRectF(x + 5, y, kColumns[c] - 10, h), texts.value(c), kRowText,
                       bold || marked, TextAlign::Left, marked ? kFailInk : kBlack);
            x += kColumns[c];
        }
        y += h;
    };
    p.fill(QRectF(kMargin, y, tableW, kTableHeaderH), kHeaderFill);
    QStringList names;
    for (int c = 0; c < columns; ++c) names << QLatin1String(kColumnNames[c]);
    cells(names, kTableHeaderH, true);
    p.line(kMargin, y, kMargin + tableW, y, 0.8);
    if (rows.empty())
        p.text(QRectF(kMargin + 5, y, tableW, kRowH), QStringLiteral("The list holds no readings."),
               kRowText);
    for (size_t r = first; r < last; ++r) {
        if ((r - first) % 2 == 1) p.fill(QRectF(kMargin, y, tableW, kRowH), kStripeFill);
        const bool below = r < in.rowBelow.size() && in.rowBelow[r];
        cells(below ? QStringList(rows[r]) << kBelowMark : rows[r], kRowH, false, below);
    }
    p.line(kMargin, y, kMargin + tableW, y, 0.8);
}

void footer(Page& p, const QString& title, int n, int of) {
    const double y = p.size.height() - kMargin + 5;
    p.line(kMargin, y, kMargin + p.width(), y, 0.5);
    const QRectF box(kMargin, y + 3, p.width(), 12);
    p.text(box, title, 8, false, TextAlign::Left, kFootInk);
    p.text(box, QStringLiteral("Page %1 of %2").arg(n).arg(of), 8, false, TextAlign::Right,
           kFootInk);
}
}  // namespace

PaperSize paperSizeFor(QLocale::Territory territory) {
    return territory == QLocale::UnitedStates || territory == QLocale::Canada ? PaperSize::Letter
                                                                              : PaperSize::A4;
}

QSizeF paperPoints(PaperSize paper) {
    // Letter is 8.5 x 11 inches; A4, 210 x 297 mm, to the nearest point as PDF pages have it.
    return paper == PaperSize::Letter ? QSizeF(612, 792) : QSizeF(595, 842);
}

int readingsPerPage(PaperSize paper) {
    const double top = kMargin + kTableHeadingH + kTableHeaderH;
    return static_cast<int>(std::floor((paperPoints(paper).height() - kMargin - top) / kRowH));
}

QString surveyDateText(const QString& meterTime) {
    static const QRegularExpression re(QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d)\\b"));
    const QRegularExpressionMatch m = re.match(meterTime);
    if (!m.hasMatch()) return meterTime;
    return QStringLiteral("20%1-%2-%3").arg(m.captured(3), m.captured(1), m.captured(2));
}

SurveyReportInput surveyReportInput(const CDTDoc& doc, const std::optional<GridShape>& grid,
                                    const ReportDetails& details, qint64 nowSecs, PaperSize paper,
                                    const std::optional<SurveyRequirement>& requirement) {
    SurveyReportInput in;
    in.details = details;
    in.summary = surveySummary(doc);
    in.requirement = requirement;
    const SurveyRequirement* req = requirement ? &*requirement : nullptr;
    if (grid && grid->valid()) {
        in.grid = surveyGridMap(doc, *grid, in.summary, req);
        in.gridNotes = gridNotesText(*in.grid, doc);
    }
    in.rows = memoryListRows(doc);
    if (req)
        for (int k = 0; k < static_cast<int>(in.rows.size()); ++k)
            in.rowBelow.push_back(surveyUseOf(doc, k) == SurveyUse::Used &&
                                  belowRequired(doc.m_memValues[static_cast<size_t>(k)], *req));
    if (!in.rows.empty()) in.surveyDate = surveyDateText(in.rows.front().value(4));
    in.reportDate = formatLocalTime(nowSecs, "%Y-%m-%d");
    in.paper = paper;
    return in;
}

SurveyReport surveyReport(const SurveyReportInput& in) {
    SurveyReport r;
    r.paper = in.paper;
    r.size = paperPoints(in.paper);
    r.title = in.details.title.trimmed().isEmpty() ? kDefaultReportTitle : in.details.title;
    std::vector<Page> pages;
    const double bottom = r.size.height() - kMargin - kFootReserve;
    Page page{r.size, {}};
    double y = titleBlock(page, in, r.title);
    auto nextPage = [&] {
        pages.push_back(std::move(page));
        page = Page{r.size, {}};
        y = kMargin;
    };
    const double verdictH = in.requirement ? requirementBlock(page, in, 0, false) : 0;
    if (y + verdictH + summaryHeight(in.summary) > bottom) nextPage();
    if (in.requirement) y = requirementBlock(page, in, y, true);
    y = summaryTable(page, in.summary, in.requirement ? &*in.requirement : nullptr, y);
    if (in.grid) {
        if (bottom - y - kTableHeadingH < kMinMapHeight) nextPage();
        gridMap(page, in, y);
    }
    pages.push_back(std::move(page));

    const auto perPage = static_cast<size_t>(readingsPerPage(in.paper));
    size_t at = 0;
    do {
        Page p{r.size, {}};
        const size_t last = std::min(in.rows.size(), at + perPage);
        readingsPage(p, in, at, last);
        pages.push_back(std::move(p));
        at = last;
    } while (at < in.rows.size());

    const int total = static_cast<int>(pages.size());
    for (int i = 0; i < total; ++i) {
        footer(pages[static_cast<size_t>(i)], r.title, i + 1, total);
        r.pages.push_back(std::move(pages[static_cast<size_t>(i)].d));
    }
    return r;
}

}  // namespace km905
