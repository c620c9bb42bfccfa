// SPDX-License-Identifier: GPL-3.0-or-later
// The survey report's pages and the grid map's picture, against values worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/survey/GridMapPicture.h"
#include "core/survey/SurveyReport.h"

using namespace km905;

namespace {

struct Rec {
    float lux;
    const char* mode;
};

constexpr float kOL = 5000000.0f;

CDTDoc listOf(std::initializer_list<Rec> recs) {
    CDTDoc d;
    for (const Rec& r : recs) {
        const auto k = static_cast<size_t>(d.m_memCount++);
        d.m_memValues[k] = r.lux;
        d.m_memModes[k] = QString::fromLatin1(r.mode);
        d.m_memTimes[k] = QStringLiteral("12/08/26 10:00:00");
    }
    return d;
}

QStringList textsOf(const Drawing& d) {
    QStringList t;
    for (const DrawText& x : d.texts) t << x.text;
    return t;
}

// The text drawn right of `label` on the same row (the summary table's next column).
QString besideOf(const Drawing& d, const QString& label, int column = 1) {
    for (const DrawText& x : d.texts) {
        if (x.text != label) continue;
        std::vector<const DrawText*> row;
        for (const DrawText& y : d.texts)
            if (y.box.top() >= x.box.top() && y.box.top() < x.box.bottom() &&
                y.box.left() > x.box.left())
                row.push_back(&y);
        std::sort(row.begin(), row.end(),
                  [](auto* a, auto* b) { return a->box.left() < b->box.left(); });
        return column <= static_cast<int>(row.size()) ? row[column - 1]->text : QString();
    }
    return QStringLiteral("<no %1>").arg(label);
}

// A note as the map shows it: "~" stands for a space a line never breaks at.
QString held(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('~'), QChar(0x00A0));
}

bool hasFill(const Drawing& d, Rgb c) {
    return std::any_of(d.rects.begin(), d.rects.end(),
                       [&](const DrawRect& r) { return r.fill && *r.fill == c; });
}

constexpr qint64 kReportDay = 1765184400;  // 2025-12-08 09:00 UTC

std::vector<QStringList> numberedRows(int n) {
    std::vector<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back({QString::number(i), QStringLiteral("%1.00").arg(100 + i),
                        QStringLiteral("Lux"), QStringLiteral("General"),
                        QStringLiteral("12/08/26 10:00:00")});
    return rows;
}

}  // namespace

TEST(SurveyReport, PaperFollowsTheTerritory) {
    EXPECT_EQ(paperSizeFor(QLocale::UnitedStates), PaperSize::Letter);
    EXPECT_EQ(paperSizeFor(QLocale::Canada), PaperSize::Letter);
    EXPECT_EQ(paperSizeFor(QLocale::Germany), PaperSize::A4);
    EXPECT_EQ(paperSizeFor(QLocale::UnitedKingdom), PaperSize::A4);
    EXPECT_EQ(paperPoints(PaperSize::Letter), QSizeF(612, 792));
    EXPECT_EQ(paperPoints(PaperSize::A4), QSizeF(595, 842));  // 210 x 297 mm
}

TEST(SurveyReport, SurveyDateComesFromTheFirstReading) {
    EXPECT_EQ(surveyDateText("12/07/26 10:20:30"), "2026-12-07");
    EXPECT_EQ(surveyDateText("--/--/-- --:--:--"), "--/--/-- --:--:--");
}

TEST(SurveyReport, FirstPageHoldsTitleDatesAndTheSummaryTable) {
    const CDTDoc d = listOf(
        {{200, "General"}, {kOL, "General"}, {400, "General"}, {50, "Rel"}, {300, "General"}});
    const SurveyReport r = surveyReport(
        surveyReportInput(d, std::nullopt, {"Hall B", "Plant 4", "Lamps warmed up 20 min"},
                          kReportDay, PaperSize::A4));
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(r.title, "Hall B");
    const Drawing& p = r.pages[0];
    const QStringList t = textsOf(p);
    EXPECT_EQ(t.value(0), "Hall B");
    EXPECT_EQ(besideOf(p, "Site"), "Plant 4");
    EXPECT_EQ(besideOf(p, "Survey date"), "2026-12-08");
    EXPECT_EQ(besideOf(p, "Report date"), "2025-12-08");
    EXPECT_EQ(besideOf(p, "Notes"), "Lamps warmed up 20 min");
    // 300 lux is 27.88 FC, 200 lux 18.59 FC, 400 lux 37.17 FC.
    EXPECT_EQ(besideOf(p, "Figure"), "Lux");
    EXPECT_EQ(besideOf(p, "Figure", 2), "FC");
    EXPECT_EQ(besideOf(p, "Eavg (average)"), "300.0");
    EXPECT_EQ(besideOf(p, "Eavg (average)", 2), "27.9");
    EXPECT_EQ(besideOf(p, "Emin (minimum, No. 1)"), "200.0");
    EXPECT_EQ(besideOf(p, "Emin (minimum, No. 1)", 2), "18.6");
    EXPECT_EQ(besideOf(p, "Emax (maximum)"), "400.0");
    EXPECT_EQ(besideOf(p, "Emax (maximum)", 2), "37.2");
    EXPECT_EQ(besideOf(p, "U0 = Emin / Eavg"), "0.67");
    EXPECT_EQ(besideOf(p, "Ud = Emin / Emax"), "0.50");
    EXPECT_EQ(besideOf(p, "Readings used"), "3 of 5");
    EXPECT_EQ(besideOf(p, "Left out"), "2: 1 OL, 1 REL");
    EXPECT_FALSE(t.join(' ').contains("Grid map"));
    EXPECT_TRUE(t.contains("Page 1 of 2"));
    // The readings follow on page 2, as the list shows them.
    const QStringList readings = textsOf(r.pages[1]);
    EXPECT_EQ(readings.mid(1, 5), QStringList({"NO.", "DATA", "UNIT", "STATUS", "TIME"}));
    EXPECT_EQ(readings.mid(6, 5),
              QStringList({"1", "200.00", "Lux", "General", "12/08/26 10:00:00"}));
    EXPECT_EQ(readings.mid(11, 2), QStringList({"2", "OL"}));
    EXPECT_TRUE(readings.contains("Page 2 of 2"));
}

TEST(SurveyReport, NoNormalReadingsGiveDashesAndAnUntitledReportItsDefaultTitle) {
    const CDTDoc d = listOf({{kOL, "General"}});
    const SurveyReport r =
        surveyReport(surveyReportInput(d, std::nullopt, {}, kReportDay, PaperSize::Letter));
    EXPECT_EQ(r.title, "Lighting survey");
    EXPECT_EQ(r.size, QSizeF(612, 792));
    const Drawing& p = r.pages[0];
    EXPECT_EQ(besideOf(p, "Emin (minimum)"), "--");
    EXPECT_EQ(besideOf(p, "U0 = Emin / Eavg"), "--");
    EXPECT_EQ(besideOf(p, "Readings used"), "0 of 1");
    EXPECT_EQ(besideOf(p, "Left out"), "1: 1 OL");
    EXPECT_FALSE(textsOf(p).contains("Site"));
}

TEST(SurveyReport, HundredTwentyReadingsRunOverThreePagesOfFiftyOnA4) {
    SurveyReportInput in;
    in.rows = numberedRows(120);
    in.reportDate = "2025-12-08";
    EXPECT_EQ(readingsPerPage(PaperSize::A4), 50);      // (842 - 50 - 90) / 14
    EXPECT_EQ(readingsPerPage(PaperSize::Letter), 46);  // (792 - 50 - 90) / 14
    const SurveyReport r = surveyReport(in);
    ASSERT_EQ(r.pages.size(), 4u);
    const int firstOn[4] = {0, 1, 51, 101};
    const int lastOn[4] = {0, 50, 100, 120};
    for (int page = 0; page < 4; ++page) {
        const QStringList t = textsOf(r.pages[static_cast<size_t>(page)]);
        EXPECT_TRUE(t.contains(QStringLiteral("Page %1 of 4").arg(page + 1))) << page;
        if (page == 0) continue;
        EXPECT_EQ(t.value(0), page == 1 ? "Readings" : "Readings (continued)");
        // Heading, five column names, then five texts a reading.
        ASSERT_GE(t.size(), 6 + 5 * (lastOn[page] - firstOn[page] + 1)) << page;
        for (int i = firstOn[page]; i <= lastOn[page]; ++i) {
            const int at = 6 + 5 * (i - firstOn[page]);
            EXPECT_EQ(t.value(at), QString::number(i));
            EXPECT_EQ(t.value(at + 1), QStringLiteral("%1.00").arg(100 + i));
        }
        EXPECT_EQ(t.size(), 6 + 5 * (lastOn[page] - firstOn[page] + 1) + 2) << page;
    }
    // Rows 14 points apart from 90 points down; the 50th at 90 + 49 x 14 = 776.
    const Drawing& second = r.pages[1];
    EXPECT_DOUBLE_EQ(second.texts[6].box.top(), 90);
    EXPECT_DOUBLE_EQ(second.texts[6 + 5 * 49].box.top(), 776);

    in.paper = PaperSize::Letter;
    const SurveyReport letter = surveyReport(in);
    ASSERT_EQ(letter.pages.size(), 4u);  // 46 + 46 + 28
    EXPECT_TRUE(textsOf(letter.pages[3]).contains("101"));
    EXPECT_FALSE(textsOf(letter.pages[2]).contains("93"));
    EXPECT_TRUE(textsOf(letter.pages[2]).contains("92"));
}

TEST(SurveyReport, TheGridMapFollowsTheSummaryWhenSet) {
    // 2 x 2 serpentine: 300 100 on top, then 500 at the right and 200 at the left; the OL
    // is off the map.
    const CDTDoc d = listOf(
        {{300, "General"}, {100, "General"}, {500, "General"}, {kOL, "General"}, {200, "General"}});
    const SurveyReport r = surveyReport(surveyReportInput(d, GridShape{2, 2, GridOrder::Serpentine},
                                                          {}, kReportDay, PaperSize::A4));
    ASSERT_EQ(r.pages.size(), 2u);
    const Drawing& p = r.pages[0];
    const QStringList t = textsOf(p);
    EXPECT_TRUE(t.contains("Grid map: 2 x 2 points, serpentine"));
    EXPECT_TRUE(t.contains("min"));
    EXPECT_TRUE(t.contains(held("Left out of the figures: No.~4~OL~Lux~(OL)")));
    EXPECT_TRUE(t.contains("Emin 100.0 Lux"));
    EXPECT_TRUE(t.contains("Emax 500.0 Lux"));
    EXPECT_TRUE(hasFill(p, Rgb{68, 1, 84}));     // 100, the minimum
    EXPECT_TRUE(hasFill(p, Rgb{253, 231, 37}));  // 500
    EXPECT_TRUE(hasFill(p, Rgb{33, 145, 140}));  // 300, halfway
    EXPECT_TRUE(hasFill(p, Rgb{59, 82, 139}));   // 200, a quarter
    EXPECT_FALSE(hasFill(p, Rgb{255, 255, 255}));
    // The cell values, in the legend's unit.
    EXPECT_TRUE(t.contains("300.00"));
    EXPECT_TRUE(t.contains("200.00"));
    EXPECT_FALSE(t.contains("OL"));
}

TEST(SurveyReport, AMapWithoutRoomUnderTheSummaryGetsAPageOfItsOwn) {
    const CDTDoc d = listOf({{300, "General"}, {100, "General"}, {500, "General"}});
    QStringList notes;
    for (int i = 1; i <= 16; ++i) notes << QStringLiteral("note %1").arg(i);
    // Title to 92, site 3 lines 44.5, dates 17.5 each, notes 16 lines 220, gap 12, summary
    // 186: 589.5; the map would have 842 - 70 - 589.5 - 24 = 158.5 points, under 200.
    const ReportDetails details{"", "a\nb\nc", notes.join('\n')};
    const SurveyReport r = surveyReport(surveyReportInput(d, GridShape{3, 1, GridOrder::RowByRow},
                                                          details, kReportDay, PaperSize::A4));
    ASSERT_EQ(r.pages.size(), 3u);
    EXPECT_FALSE(textsOf(r.pages[0]).contains("Grid map: 3 x 1 points, row by row"));
    EXPECT_TRUE(textsOf(r.pages[1]).contains("Grid map: 3 x 1 points, row by row"));
    EXPECT_TRUE(textsOf(r.pages[1]).contains("Page 2 of 3"));
    EXPECT_EQ(textsOf(r.pages[2]).value(0), "Readings");

    // Four lines fewer leave 158.5 + 4 x 13.5 = 212.5 points: the map stays on page 1.
    QStringList fewer = notes.mid(0, 12);
    const SurveyReport r2 = surveyReport(surveyReportInput(d, GridShape{3, 1, GridOrder::RowByRow},
                                                           {"", "a\nb\nc", fewer.join('\n')},
                                                           kReportDay, PaperSize::A4));
    ASSERT_EQ(r2.pages.size(), 2u);
    EXPECT_TRUE(textsOf(r2.pages[0]).contains("Grid map: 3 x 1 points, row by row"));
}

TEST(GridMapPicture, SquareCellsCentredWithTheLegendUnder) {
    const CDTDoc d = listOf(
        {{300, "General"}, {100, "General"}, {500, "General"}, {kOL, "General"}, {200, "General"}});
    const SurveySummary s = surveySummary(d);
    const GridMap m = surveyGridMap(d, {2, 2, GridOrder::Serpentine}, s);
    const GridMapLook look{12, 7, 90, 1};
    // 400 x 400: the legend takes 9.6 + 14.4 + 15.6, the notes 9.6 + 31.2 (two lines of 216:
    // "Left out of the figures:", then the reading held together), so cells could be 159.8;
    // the largest is 90. Two columns of 90 centred: from 110.
    const GridMapPicture pic =
        gridMapPicture(m, s, gridNotesText(m, d), QRectF(0, 0, 400, 400), look);
    ASSERT_EQ(pic.cellBoxes.size(), 4u);
    EXPECT_EQ(pic.cellBoxes[0], QRectF(110, 0, 90, 90));
    EXPECT_EQ(pic.cellBoxes[1], QRectF(200, 0, 90, 90));
    EXPECT_EQ(pic.cellBoxes[3], QRectF(200, 90, 90, 90));
    // The legend: at least 18 letters wide (216), centred, 9.6 under the cells.
    EXPECT_EQ(pic.legendBar, QRectF(92, 189.6, 216, 14.4));
    const QStringList t = textsOf(pic.drawing);
    EXPECT_TRUE(t.contains("Emin 100.0 Lux"));
    EXPECT_TRUE(t.contains("Emax 500.0 Lux"));
    EXPECT_TRUE(t.contains(held("Left out of the figures: No.~4~OL~Lux~(OL)")));
    // The minimum: its value in white on dark blue, "min", and a red outline 6.3 wide.
    bool minText = false;
    for (const DrawText& x : pic.drawing.texts)
        if (x.text == "min") {
            minText = true;
            EXPECT_EQ(x.colour, (Rgb{255, 255, 255}));
            EXPECT_TRUE(pic.cellBoxes[1].contains(x.box.center()));
        }
    EXPECT_TRUE(minText);
    const DrawRect& outline = pic.drawing.rects[4];
    EXPECT_EQ(outline.stroke, (Rgb{220, 0, 0}));
    EXPECT_FALSE(outline.fill);
    EXPECT_DOUBLE_EQ(outline.strokeWidth, 6.3);
    EXPECT_EQ(outline.box, QRectF(203.15, 3.15, 83.7, 83.7));
}

TEST(GridMapPicture, EveryValueHasOneSizeAndNumbersKeepClearOfTheOutline) {
    // 250, 5 and 1500 lux ("250.00", "5.00", "1.50K") along a 3 x 1 row; the REL is off the
    // map. 300 x 300 leaves room for cells of more than 90 under the legend and the notes;
    // the largest is 90.
    const CDTDoc d = listOf({{250, "General"}, {5, "General"}, {1500, "General"}, {50, "Rel"}});
    const SurveySummary s = surveySummary(d);
    const GridMap m = surveyGridMap(d, {3, 1, GridOrder::RowByRow}, s);
    const GridMapPicture pic = gridMapPicture(m, s, gridNotesText(m, d), QRectF(0, 0, 300, 300),
                                              GridMapLook{12, 7, 90, 1});
    ASSERT_EQ(pic.cellBoxes.size(), 3u);
    EXPECT_EQ(pic.cellBoxes[1], QRectF(105, 0, 90, 90));
    // The longest value, six letters, sets the size of all: 90 x 0.8 / (0.58 x 6) = 20.69;
    // the numbers 0.72 of it, 14.90.
    std::map<QString, const DrawText*> byText;
    for (const DrawText& x : pic.drawing.texts) byText[x.text] = &x;
    for (const char* value : {"250.00", "5.00", "1.50K"}) {
        ASSERT_TRUE(byText.count(value)) << value;
        EXPECT_NEAR(byText[value]->size, 20.69, 0.01) << value;
    }
    for (const char* number : {"1", "2", "3"}) {
        ASSERT_TRUE(byText.count(number)) << number;
        EXPECT_NEAR(byText[number]->size, 14.90, 0.01) << number;
    }
    // The minimum (No. 2, 5 lux) in the middle cell: a red outline 6.3 wide inside its edge,
    // the number within it, at the same place as in every other cell.
    const QRectF inside = pic.cellBoxes[1].adjusted(6.3, 6.3, -6.3, -6.3);
    const QRectF number = byText["2"]->box;
    EXPECT_TRUE(inside.contains(number)) << number.left() << " " << number.top();
    EXPECT_DOUBLE_EQ(byText["1"]->box.left() - pic.cellBoxes[0].left(), number.left() - 105);
    EXPECT_DOUBLE_EQ(byText["1"]->box.top(), number.top());
}

TEST(GridMapPicture, TextIsBlackOrWhiteByTheCellsBrightness) {
    // Luma 0.299 R + 0.587 G + 0.114 B against 128.
    EXPECT_EQ(textColourOn({68, 1, 84}), (Rgb{255, 255, 255}));     // 30.5
    EXPECT_EQ(textColourOn({33, 145, 140}), (Rgb{255, 255, 255}));  // 110.9
    EXPECT_EQ(textColourOn({40, 174, 128}), (Rgb{0, 0, 0}));        // 128.6
    EXPECT_EQ(textColourOn({253, 231, 37}), (Rgb{0, 0, 0}));        // 215.4
    EXPECT_EQ(textColourOn({224, 224, 224}), (Rgb{0, 0, 0}));
}

TEST(GridMapPicture, SmallCellsShowTheirColourAloneAndEmptyPointsAreCounted) {
    const CDTDoc d = listOf({{300, "General"}, {100, "General"}});
    const SurveySummary s = surveySummary(d);
    const GridMap m = surveyGridMap(d, {10, 1, GridOrder::RowByRow}, s);
    EXPECT_EQ(gridNotesText(m, d), "8 points without a reading");
    // Cells of 20: a value of 6 letters would be 20 x 0.8 / (0.58 x 6) = 4.6 high, under 7.
    const GridMapPicture pic =
        gridMapPicture(m, s, QString(), QRectF(0, 0, 200, 200), GridMapLook{12, 7, 90, 1});
    EXPECT_EQ(pic.cellBoxes[0].width(), 20);
    const QStringList t = textsOf(pic.drawing);
    EXPECT_FALSE(t.contains("300.00"));
    EXPECT_FALSE(t.contains("min"));
    EXPECT_TRUE(hasFill(pic.drawing, Rgb{253, 231, 37}));
    EXPECT_TRUE(hasFill(pic.drawing, Rgb{255, 255, 255}));  // the empty points
}

TEST(SurveyGrid, SuggestedShapesHoldEveryReading) {
    EXPECT_EQ(suggestedGridShape(12), (GridShape{4, 3, GridOrder::RowByRow}));
    EXPECT_EQ(suggestedGridShape(5), (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(suggestedGridShape(48), (GridShape{7, 7, GridOrder::RowByRow}));
    EXPECT_EQ(suggestedGridShape(0), (GridShape{1, 1, GridOrder::RowByRow}));
}

TEST(SurveyReport, TheVerdictLeadsPageOneAndTheReadingsBelowEmAreMarked) {
    // The demonstration survey against office work: Eavg 5204 / 12 = 433.7 < 500 fails; U0
    // 298 / 433.67 = 0.69 passes.
    const CDTDoc d = listOf({{412, "General"},
                             {455, "General"},
                             {498, "General"},
                             {430, "General"},
                             {388, "General"},
                             {520, "General"},
                             {530, "General"},
                             {470, "General"},
                             {298, "General"},
                             {360, "General"},
                             {401, "General"},
                             {442, "General"},
                             {35, "Rel"}});
    ReportDetails details{"Office 2.14", "Main building", ""};
    details.roomLength = 8;
    details.roomWidth = 6;
    details.planeHeight = 0.8;
    details.meterId = "KM905 SN 4711";
    const SurveyReport r =
        surveyReport(surveyReportInput(d, GridShape{4, 3, GridOrder::RowByRow}, details, kReportDay,
                                       PaperSize::A4, standardAreas().front()));
    ASSERT_EQ(r.pages.size(), 2u);
    const Drawing& p = r.pages[0];
    EXPECT_EQ(besideOf(p, "Room"), "8.00 m x 6.00 m");
    EXPECT_EQ(besideOf(p, "Working plane"), "0.80 m above the floor");
    EXPECT_EQ(besideOf(p, "Meter"), "KM905 SN 4711");
    const QStringList t = textsOf(p);
    const qsizetype block = t.indexOf("Requirement and verdict");
    ASSERT_GE(block, 0);
    EXPECT_LT(block, t.indexOf("Summary"));
    EXPECT_EQ(besideOf(p, "Task area"),
              "Writing, typing, reading, data processing (values of EN 12464-1)");
    EXPECT_EQ(besideOf(p, "Required"), "\u0112m 500 lx, U0 0.60");
    EXPECT_EQ(besideOf(p, "Measured"), "Eavg 433.7 lx, U0 0.69");
    EXPECT_EQ(besideOf(p, "Verdict"), "FAIL");
    EXPECT_EQ(besideOf(p, "Verdict", 2), "Eavg 433.7 < 500");
    EXPECT_TRUE(hasFill(p, Rgb{200, 30, 30}));
    // The map edges the ten points below 500 lx and says so under its scale.
    EXPECT_TRUE(t.contains("Below \u0112m 500 lx: 10 points"));
    int dashed = 0;
    for (const DrawRect& x : p.rects) dashed += x.dash > 0 && x.stroke == kBelowDashes;
    EXPECT_EQ(dashed, 10 + 1);  // and the key's sample

    // The table: a sixth column marks them; the 520 and 530, and the REL, stay unmarked.
    const QStringList readings = textsOf(r.pages[1]);
    EXPECT_EQ(readings.mid(1, 6),
              QStringList({"NO.", "DATA", "UNIT", "STATUS", "TIME", "REQUIREMENT"}));
    EXPECT_EQ(readings.mid(7, 6),
              QStringList({"1", "412.00", "Lux", "General", "12/08/26 10:00:00", "below \u0112m"}));
    EXPECT_EQ(readings.count("below \u0112m"), 10);
    const qsizetype six = readings.indexOf("520.00");
    EXPECT_EQ(readings.value(six + 4), "7");  // no mark: the next row begins
    EXPECT_EQ(readings.value(readings.indexOf("35.00") + 4), "Office 2.14");  // the foot

    // Against 300 lx and 0.40 the same survey passes; the one point below is still edged.
    const SurveyReport pass =
        surveyReport(surveyReportInput(d, GridShape{4, 3, GridOrder::RowByRow}, {}, kReportDay,
                                       PaperSize::A4, *parseRequirement("300,0.4")));
    EXPECT_EQ(besideOf(pass.pages[0], "Verdict"), "PASS");
    EXPECT_FALSE(textsOf(pass.pages[0]).contains("Task area"));
    EXPECT_TRUE(hasFill(pass.pages[0], Rgb{20, 130, 60}));
    EXPECT_TRUE(textsOf(pass.pages[0]).contains("Below \u0112m 300 lx: 1 point"));
}
