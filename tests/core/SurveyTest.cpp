// SPDX-License-Identifier: GPL-3.0-or-later
// The lighting survey's figures and grid, against values worked by hand.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "files/ListFile.h"
#include "memlist/MemoryListPages.h"
#include "survey/GridMapPicture.h"
#include "survey/SurveyGrid.h"
#include "survey/SurveySummary.h"

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
                             {35, "Rel"},
                             {500.34f, "Max", 1}});
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
