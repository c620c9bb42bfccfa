// SPDX-License-Identifier: GPL-3.0-or-later
// The lighting survey's figures and grid, against values worked by hand.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "core/files/ListFile.h"
#include "core/memlist/MemoryListPages.h"
#include "core/survey/GridMapPicture.h"
#include "core/survey/GridSizing.h"
#include "core/survey/SurveyGrid.h"
#include "core/survey/SurveyRequirement.h"
#include "core/survey/SurveySummary.h"

using namespace km905;

namespace {

struct Rec {
    float lux;
    const char* mode;
    uint8_t fc = 0;
    uint8_t negative = 0;
};

CDTDoc listOf(std::initializer_list<Rec> recs) {
    CDTDoc d;
    for (const Rec& r : recs) {
        const auto k = static_cast<size_t>(d.m_memCount++);
        d.m_memValues[k] = r.lux;
        d.m_memModes[k] = QString::fromLatin1(r.mode);
        d.m_memUnitFC[k] = r.fc;
        d.m_memFlagB[k] = r.negative;
        d.m_memTimes[k] = QStringLiteral("12/08/26 10:00:00");
    }
    return d;
}

constexpr float kOL = 5000000.0f;

// The demonstration meter's survey: 412 455 498 430 / 388 520 530 470 / 298 360 401 442, then a
// REL and the maximum hold. The twelve sum to 5204: Eavg 433.67, Emin 298, U0 0.687.
CDTDoc demoSurvey() {
    return listOf({{412, "General"},
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
                   {35, "Rel"},
                   {500.34f, "Max", 1}});
}

// A note as the map shows it: "~" stands for a space a line never breaks at.
QString held(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('~'), QChar(0x00A0));
}

}  // namespace

TEST(SurveySummary, NormalReadingsOnlyWithTheRestCountedByReason) {
    const CDTDoc d = listOf({{200, "General"},
                             {kOL, "General"},
                             {400, "General"},
                             {50, "Rel"},
                             {300, "General"},
                             {800, "Pmax"},
                             {120, "General", 0, 1},
                             {700, "Max"}});
    const SurveySummary s = surveySummary(d);
    EXPECT_EQ(s.total, 8);
    EXPECT_EQ(s.used, 3);
    EXPECT_DOUBLE_EQ(s.eminLux, 200);
    EXPECT_DOUBLE_EQ(s.emaxLux, 400);
    EXPECT_DOUBLE_EQ(s.eavgLux, 300);
    EXPECT_EQ(s.minRecord, 0);
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 300.0 Lux   Emin 200.0 Lux   Emax 400.0 Lux   U0 0.67   Ud 0.50   "
              "(3 of 8 readings)");
    EXPECT_EQ(surveyLeftOutText(s), "5 readings left out: 1 OL, 1 REL, 1 Pmax, 1 MAX, 1 negative");
}

TEST(SurveySummary, ValuesNoMeterStoresAreLeftOutAsInvalidAndListedAsStored) {
    // A list file made by hand: 250 lux, not a number, 300 lux, infinity in REL, -1e30 lux
    // without the sign byte, 120 lux in REL.
    auto record = [](const char* value, const char* mode) {
        const QByteArray m(mode);
        return QByteArray::fromHex(value) + '\0' + char(m.size()) + m + '\0' + char(17) +
               QByteArray("12/08/26 10:00:00");
    };
    const QByteArray file = QByteArray::fromHex("054B4D39303506000000") +
                            record("00007a43", "General") + record("0000c07f", "General") +
                            record("00009643", "General") + record("0000807f", "Rel") +
                            record("caf249f1", "General") + record("0000f042", "Rel");
    const ListReadResult read = readListFile(file);
    ASSERT_EQ(read.status, ListReadResult::Status::Ok);
    CDTDoc d;
    listToDocument(read.records, d);
    const SurveySummary s = surveySummary(d);
    EXPECT_EQ(s.used, 2);
    // 250 and 300: Eavg 275, U0 250 / 275 = 0.909, Ud 250 / 300 = 0.833.
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 275.0 Lux   Emin 250.0 Lux   Emax 300.0 Lux   U0 0.91   Ud 0.83   "
              "(2 of 6 readings)");
    EXPECT_EQ(surveyLeftOutText(s), "4 readings left out: 3 invalid, 1 REL");
    const QJsonObject o = QJsonDocument::fromJson(surveySummaryJson(s)).object();
    EXPECT_EQ(o["left_out"].toObject()["invalid"].toInt(), 3);
    EXPECT_DOUBLE_EQ(o["Emin"].toObject()["lux"].toDouble(), 250);

    // The grid map leaves them off: 250 and 300 take the first two points. The list shows
    // them as they are.
    const GridMap m = surveyGridMap(d, {3, 2, GridOrder::RowByRow}, s);
    EXPECT_EQ(m.at(0, 0).record, 0);
    EXPECT_TRUE(m.at(0, 0).isMinimum);
    EXPECT_EQ(m.at(1, 0).record, 2);
    EXPECT_EQ(m.at(1, 0).colour, (Rgb{253, 231, 37}));  // 300: Emax
    EXPECT_EQ(m.at(2, 0).record, -1);
    EXPECT_EQ(m.leftOut, (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(m.empty, 4);
    const std::vector<QStringList> rows = memoryListRows(d);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1][1], "nan");
    EXPECT_EQ(rows[1][3], "General");
}

TEST(SurveySummary, AllOverRangeGivesNoFigures) {
    const SurveySummary s = surveySummary(listOf({{kOL, "General"}, {kOL, "Pmin"}}));
    EXPECT_FALSE(s.hasFigures());
    EXPECT_FALSE(s.u0());
    EXPECT_EQ(surveySummaryLine(s), "No normal readings to survey   (0 of 2 readings)");
    EXPECT_EQ(surveyLeftOutText(s), "2 readings left out: 2 OL");
    const QJsonObject o = QJsonDocument::fromJson(surveySummaryJson(s)).object();
    EXPECT_EQ(o["used"].toInt(), 0);
    EXPECT_FALSE(o.contains("Emin"));
    EXPECT_EQ(o["left_out"].toObject()["OL"].toInt(), 2);
}

TEST(SurveySummary, OneReadingIsPerfectlyUniform) {
    const SurveySummary s = surveySummary(listOf({{250, "General"}}));
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 250.0 Lux   Emin 250.0 Lux   Emax 250.0 Lux   U0 1.00   Ud 1.00   "
              "(1 of 1 readings)");
    EXPECT_EQ(surveyLeftOutText(s), "");
}

TEST(SurveySummary, UnitsMixAsLuxAndFootCandlesAloneReadInFootCandles) {
    // 10 FC is 107.6 lux as stored.
    SurveySummary s = surveySummary(listOf({{107.6f, "General", 1}, {215.2f, "General"}}));
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 161.4 Lux   Emin 107.6 Lux   Emax 215.2 Lux   U0 0.67   Ud 0.50   "
              "(2 of 2 readings)");
    s = surveySummary(
        listOf({{107.6f, "General", 1}, {322.8f, "General", 1}, {kOL, "General", 1}}));
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 20.0 FC   Emin 10.0 FC   Emax 30.0 FC   U0 0.50   Ud 0.33   (2 of 3 readings)");
    const QJsonObject o = QJsonDocument::fromJson(surveySummaryJson(s)).object();
    EXPECT_NEAR(o["Eavg"].toObject()["lux"].toDouble(), 215.2, 1e-3);
    EXPECT_NEAR(o["Eavg"].toObject()["fc"].toDouble(), 20.0, 1e-3);
    EXPECT_NEAR(o["U0"].toDouble(), 0.5, 1e-6);
    EXPECT_NEAR(o["Ud"].toDouble(), 1.0 / 3, 1e-6);
    EXPECT_EQ(o["min_record"].toInt(), 1);
    EXPECT_EQ(o["readings"].toInt(), 3);
}

TEST(SurveyGrid, PointsFollowTheWalkingOrder) {
    GridShape rows{4, 3, GridOrder::RowByRow};
    GridShape snake{4, 3, GridOrder::Serpentine};
    EXPECT_EQ(gridPointOf(rows, 0), (GridPoint{0, 0}));
    EXPECT_EQ(gridPointOf(rows, 4), (GridPoint{0, 1}));
    EXPECT_EQ(gridPointOf(rows, 5), (GridPoint{1, 1}));
    EXPECT_EQ(gridPointOf(rows, 11), (GridPoint{3, 2}));
    EXPECT_EQ(gridPointOf(snake, 3), (GridPoint{3, 0}));
    EXPECT_EQ(gridPointOf(snake, 4), (GridPoint{3, 1}));
    EXPECT_EQ(gridPointOf(snake, 5), (GridPoint{2, 1}));
    EXPECT_EQ(gridPointOf(snake, 7), (GridPoint{0, 1}));
    EXPECT_EQ(gridPointOf(snake, 8), (GridPoint{0, 2}));
    EXPECT_FALSE(gridPointOf(rows, 12));
    EXPECT_FALSE(gridPointOf(GridShape{0, 3}, 0));
}

TEST(SurveyGrid, MapPlacesTheNormalReadingsMarksTheMinimumAndListsTheRest) {
    // 2 x 2, serpentine: the normal readings 300, 100 on the top row, 500 at the bottom right,
    // 200 at the bottom left; the OL between them takes no point.
    const CDTDoc d = listOf(
        {{300, "General"}, {100, "General"}, {500, "General"}, {kOL, "General"}, {200, "General"}});
    const SurveySummary s = surveySummary(d);
    const GridMap m = surveyGridMap(d, {2, 2, GridOrder::Serpentine}, s);
    EXPECT_EQ(m.at(0, 0).record, 0);
    EXPECT_EQ(m.at(1, 0).record, 1);
    EXPECT_EQ(m.at(1, 1).record, 2);
    EXPECT_EQ(m.at(0, 1).record, 4);
    EXPECT_TRUE(m.beyond.empty());
    EXPECT_EQ(m.empty, 0);
    EXPECT_EQ(m.at(1, 0).text, "100.00 Lux");
    EXPECT_TRUE(m.at(1, 0).isMinimum);
    EXPECT_FALSE(m.at(0, 0).isMinimum);
    // Emin 100 ... Emax 500: 300 halfway, 200 a quarter of the way (the third of nine stops).
    EXPECT_EQ(m.at(1, 0).colour, (Rgb{68, 1, 84}));
    EXPECT_EQ(m.at(1, 1).colour, (Rgb{253, 231, 37}));
    EXPECT_EQ(m.at(0, 0).colour, (Rgb{33, 145, 140}));
    EXPECT_EQ(m.at(0, 1).text, "200.00 Lux");
    EXPECT_EQ(m.at(0, 1).colour, (Rgb{59, 82, 139}));
    EXPECT_EQ(gridNotesText(m, d), held("Left out of the figures: No.~4~OL~Lux~(OL)"));

    // One point fewer: the last normal reading is beyond the grid; one more, it waits empty.
    const GridMap small = surveyGridMap(d, {3, 1, GridOrder::RowByRow}, s);
    EXPECT_EQ(small.beyond, std::vector<int>{4});
    EXPECT_EQ(gridNotesText(small, d), held("Beyond the grid: No.~5~200.00~Lux\n"
                                            "Left out of the figures: No.~4~OL~Lux~(OL)"));
    const GridMap big = surveyGridMap(d, {5, 1, GridOrder::RowByRow}, s);
    EXPECT_TRUE(big.beyond.empty());
    EXPECT_EQ(big.empty, 1);
    EXPECT_EQ(big.at(3, 0).record, 4);
    EXPECT_EQ(big.at(4, 0).record, -1);
    EXPECT_EQ(gridNotesText(big, d),
              held("Left out of the figures: No.~4~OL~Lux~(OL)\n1 point without a reading"));
}

// The demonstration meter's office survey: twelve points of a 4 x 3 grid, then a relative
// reading and the maximum hold (500.34 lux, 46.50 FC).
TEST(SurveyGrid, TheDemonstrationSurveyFillsItsFourByThreeGrid) {
    const CDTDoc d = demoSurvey();
    const SurveySummary s = surveySummary(d);
    // The Grid dialog offers a point for each of the twelve normal readings, or the list's
    // own grid when one is kept for it.
    EXPECT_EQ(offeredGridShape(std::nullopt, s), (GridShape{4, 3, GridOrder::RowByRow}));
    EXPECT_EQ(offeredGridShape(GridShape{6, 2, GridOrder::Serpentine}, s),
              (GridShape{6, 2, GridOrder::Serpentine}));
    const GridMap m = surveyGridMap(d, {4, 3, GridOrder::RowByRow}, s);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(m.at(k % 4, k / 4).record, k) << k;
    EXPECT_TRUE(m.beyond.empty());
    EXPECT_EQ(m.empty, 0);
    EXPECT_TRUE(m.at(0, 2).isMinimum);                  // No. 9, 298 lux
    EXPECT_EQ(m.at(2, 1).colour, (Rgb{253, 231, 37}));  // No. 7, 530 lux
    EXPECT_EQ(gridNotesText(m, d),
              held("Left out of the figures: No.~13~35.00~Lux~(REL), No.~14~46.50~FC~(MAX)"));
}

TEST(SurveyGrid, ShapeTextsRoundTrip) {
    EXPECT_EQ(parseGridShape("4x3"), (GridShape{4, 3, GridOrder::RowByRow}));
    EXPECT_EQ(parseGridShape("4x3 serpentine"), (GridShape{4, 3, GridOrder::Serpentine}));
    EXPECT_EQ(parseGridShape(" 10 X 2 row "), (GridShape{10, 2, GridOrder::RowByRow}));
    EXPECT_FALSE(parseGridShape("0x3"));
    EXPECT_FALSE(parseGridShape("4x"));
    EXPECT_FALSE(parseGridShape("4x3 zigzag"));
    EXPECT_EQ(gridShapeText({4, 3, GridOrder::Serpentine}), "4x3 serpentine");
    EXPECT_EQ(gridShapeText({4, 3, GridOrder::RowByRow}), "4x3 row");
}

TEST(SurveyVerdict, TheDemonstrationSurveyFailsOfficeWorkOnEavgAndPassesThreeHundred) {
    const CDTDoc d = demoSurvey();
    const SurveySummary s = surveySummary(d);
    const SurveyRequirement office = standardAreas().front();
    EXPECT_EQ(office, (SurveyRequirement{"Writing, typing, reading, data processing", 50000, 600}));
    const SurveyVerdict v = surveyVerdict(s, office);
    EXPECT_FALSE(v.pass);
    EXPECT_EQ(v.failed, QStringList({"Eavg 433.7 < 500"}));  // U0 0.69 >= 0.60 passes
    EXPECT_EQ(verdictLine(s, office),
              "Required \u0112m 500 lx, U0 0.60 (Writing, typing, reading, data processing): "
              "FAIL: Eavg 433.7 < 500");
    EXPECT_EQ(surveySummaryLine(s, &office),
              "Eavg 433.7 Lux   Emin 298.0 Lux   Emax 530.0 Lux   U0 0.69   Ud 0.56   "
              "(12 of 14 readings)");
    // Ten of the twelve points lie below 500 lx: all but No. 6 (520) and No. 7 (530).
    const GridMap m = surveyGridMap(d, {4, 3, GridOrder::RowByRow}, s, &office);
    EXPECT_EQ(m.belowRequired, 10);
    EXPECT_FALSE(m.at(1, 1).belowRequired);
    EXPECT_FALSE(m.at(2, 1).belowRequired);
    EXPECT_TRUE(m.at(0, 0).belowRequired);
    EXPECT_TRUE(m.at(3, 2).belowRequired);

    const SurveyRequirement typed = *parseRequirement("300,0.4");
    EXPECT_EQ(verdictLine(s, typed), "Required \u0112m 300 lx, U0 0.40: PASS");
    // The minimum alone is below 300 lx, yet the average meets it.
    EXPECT_EQ(surveyGridMap(d, {4, 3, GridOrder::RowByRow}, s, &typed).belowRequired, 1);
    const QJsonObject o = QJsonDocument::fromJson(surveySummaryJson(s, &office)).object();
    EXPECT_EQ(o["requirement"].toObject()["Em_lux"].toDouble(), 500);
    EXPECT_EQ(o["requirement"].toObject()["U0"].toDouble(), 0.6);
    EXPECT_FALSE(o["verdict"].toObject()["pass"].toBool());
    EXPECT_EQ(o["verdict"].toObject()["text"].toString(), "FAIL: Eavg 433.7 < 500");
}

TEST(SurveyVerdict, FiguresExactlyAtTheirLimitsPass) {
    // 400, 500, 600: Eavg exactly 500, U0 = 400 / 500 exactly 0.80. The reading at 500 is not
    // below Em; the 400 is.
    const CDTDoc d = listOf({{400, "General"}, {500, "General"}, {600, "General"}});
    const SurveySummary s = surveySummary(d);
    const SurveyRequirement r = *parseRequirement("500, 0.8");
    EXPECT_TRUE(surveyVerdict(s, r).pass);
    const GridMap m = surveyGridMap(d, {3, 1, GridOrder::RowByRow}, s, &r);
    EXPECT_TRUE(m.at(0, 0).belowRequired);
    EXPECT_FALSE(m.at(1, 0).belowRequired);
    EXPECT_EQ(m.belowRequired, 1);
    // 55.2 f, 29.8 f and 15 lux sum to exactly 100 (the floats' errors cancel): U0 = 15 x 3 /
    // 100 is exactly 0.45, though 15 / (100 / 3) in doubles comes to 0.44999999999999996.
    const SurveySummary exact =
        surveySummary(listOf({{55.2f, "General"}, {29.8f, "General"}, {15, "General"}}));
    const SurveyRequirement limit = *parseRequirement("30,0.45");
    EXPECT_TRUE(surveyVerdict(exact, limit).pass);
    EXPECT_EQ(surveySummaryLine(exact, &limit),
              "Eavg 33.3 Lux   Emin 15.0 Lux   Emax 55.2 Lux   U0 0.45   Ud 0.27   "
              "(3 of 3 readings)");
}

TEST(SurveyVerdict, AFigureJustUnderItsLimitNeverReadsAsMeetingIt) {
    // 599 and 1401: Eavg 1000, U0 0.599, which two decimals would show as 0.60.
    const SurveySummary s = surveySummary(listOf({{599, "General"}, {1401, "General"}}));
    const SurveyRequirement r = *parseRequirement("500,0.6");
    EXPECT_EQ(verdictText(surveyVerdict(s, r)), "FAIL: U0 0.599 < 0.60");
    EXPECT_EQ(surveySummaryLine(s, &r),
              "Eavg 1000.0 Lux   Emin 599.0 Lux   Emax 1401.0 Lux   U0 0.599   Ud 0.43   "
              "(2 of 2 readings)");
    EXPECT_EQ(surveySummaryLine(s),
              "Eavg 1000.0 Lux   Emin 599.0 Lux   Emax 1401.0 Lux   U0 0.60"
              "   Ud 0.43   (2 of 2 readings)");
    // Both conditions failed, each named.
    EXPECT_EQ(verdictText(surveyVerdict(s, *parseRequirement("1200,0.6"))),
              "FAIL: Eavg 1000.0 < 1200; U0 0.599 < 0.60");
    // Against a limit of three decimals two already read as missing it: 0.60 < 0.605.
    EXPECT_EQ(verdictText(surveyVerdict(s, *parseRequirement("500,0.605"))),
              "FAIL: U0 0.60 < 0.605");
    // 499.96 f lux twice: Eavg 499.959991..., "500.0" with one decimal.
    const SurveySummary e = surveySummary(listOf({{499.96f, "General"}, {499.96f, "General"}}));
    EXPECT_EQ(verdictText(surveyVerdict(e, r)), "FAIL: Eavg 499.96 < 500");
    EXPECT_EQ(verdictText(surveyVerdict(surveySummary(listOf({{35, "Rel"}})), r)),
              "FAIL: no normal readings");
}

TEST(SurveyVerdict, RequirementsComeFromTheCommandLineOrTheAreaList) {
    EXPECT_EQ(parseRequirement("500,0.6"), (SurveyRequirement{"", 50000, 600}));
    const SurveyRequirement half = *parseRequirement("0.5,0.625");
    EXPECT_EQ(requirementText(half), "Required \u0112m 0.5 lx, U0 0.625");
    EXPECT_FALSE(parseRequirement("500"));
    EXPECT_FALSE(parseRequirement("500,1.2"));
    EXPECT_FALSE(parseRequirement("0,0.4"));
    EXPECT_FALSE(parseRequirement("500;0.6"));
    const std::vector<SurveyRequirement>& areas = standardAreas();
    EXPECT_EQ(findArea(areas, "corr"),
              (SurveyRequirement{"Corridors and circulation areas", 10000, 400}));
    EXPECT_EQ(findArea(areas, "STAIRS"), (SurveyRequirement{"Stairs", 15000, 400}));
    EXPECT_EQ(findArea(areas, "technical drawing")->u0Milli, 700);
    EXPECT_EQ(findArea(areas, "Reception")->emCentilux, 30000);
    EXPECT_EQ(findArea(areas, "archives")->emCentilux, 20000);
    EXPECT_FALSE(findArea(areas, "c"));  // Conference and Corridors
    EXPECT_FALSE(findArea(areas, "loading bay"));
}

TEST(SurveyGrid, ARoomsGridFollowsTheSpacingRule) {
    // p = 0.2 x 5^log10(d), the nearest whole number of side / p points, at least 3:
    // d = 1:  5^0 = 1, p = 0.20;                 1 / 0.2 = 5.
    // d = 5:  5^0.69897 = 3.0801, p = 0.616;     5 / 0.616 = 8.12 -> 8;   3 / 0.616 = 4.87 -> 5.
    // d = 10: 5^1 = 5, p = 1.00;                 10 / 1 = 10;             2 / 1 = 2 -> at least 3.
    // d = 25: 5^1.39794 = 9.4872, p = 1.897;     25 / 1.897 = 13.18 -> 13; 12 / 1.897 = 6.32 -> 6.
    // d = 50: 5^1.69897 = 15.4005, p = 3.080;    50 / 3.08 = 16.23 -> 16; 20 / 3.08 = 6.49 -> 6.
    // d = 300: 5^2.47712 = 53.87, p = 10.77, held at 10: 300 / 10 = 30.
    struct Case {
        double length, width, p;
        int along, across;
    };
    const Case cases[] = {{1, 1, 0.2, 5, 5},       {5, 3, 0.6160, 8, 5},    {10, 2, 1.0, 10, 3},
                          {25, 12, 1.8974, 13, 6}, {50, 20, 3.0801, 16, 6}, {300, 40, 10, 30, 4}};
    for (const Case& c : cases) {
        const std::optional<RoomGrid> g = roomGrid(c.length, c.width);
        ASSERT_TRUE(g) << c.length;
        EXPECT_NEAR(g->spacing, c.p, 5e-4) << c.length;
        EXPECT_EQ(g->along, c.along) << c.length;
        EXPECT_EQ(g->across, c.across) << c.length;
    }
    // The longer side sets p whichever is given first.
    EXPECT_EQ(roomGrid(3, 5)->along, 5);
    EXPECT_EQ(roomGrid(3, 5)->across, 8);
    EXPECT_EQ(roomGridText(*roomGrid(5, 3)), "p = 0.62 m: 8 x 5 points");
    EXPECT_EQ(roomGridText(*roomGrid(50, 20)), "p = 3.08 m: 16 x 6 points");
    EXPECT_EQ(roomGridText(*roomGrid(25, 12)),
              "p = 1.90 m: 13 x 6 points");  // 78 points: the meter holds 99
    EXPECT_EQ(roomGridText(*roomGrid(300, 40)),
              "p = 10.00 m: 30 x 4 points (more than the meter's memory holds)");
    EXPECT_FALSE(roomGrid(0, 5));
    EXPECT_FALSE(roomGrid(5, -1));
    EXPECT_EQ(parseRoomSize("8x6.5"), (std::pair<double, double>{8, 6.5}));
    EXPECT_FALSE(parseRoomSize("8 by 6"));
}
