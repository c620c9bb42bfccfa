// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestData.h"
#include "core/files/TextExport.h"

using namespace km905;
using namespace km905::test;

TEST(TextExport, GraphExportsInBothUnits) {
    GraphRecord g;
    g.readings = {250.0f, 1234.5f, kOverRange};
    g.start = {2026, 3, 1, 8, 15, 30};
    g.rateSecs = 2;
    g.unitFC = 0;
    EXPECT_EQ(loggerGraphExport(g), golden("three-lux.csv"));
    g.unitFC = 1;
    EXPECT_EQ(loggerGraphExport(g), golden("three-fc.csv"));
}

TEST(TextExport, ValueRules) {
    EXPECT_EQ(graphValueText(1234.5f, 0, Precision::Double), "1.23K");
    EXPECT_EQ(graphValueText(1234.5f, 1, Precision::Double), "114.73");
    EXPECT_EQ(graphValueText(1234.5f, 1, Precision::Single), "114.73");
    EXPECT_EQ(graphValueText(999.99f, 0, Precision::Double), "999.99");
    EXPECT_EQ(graphValueText(20000.0f, 1, Precision::Double), "1.86K");
    EXPECT_EQ(graphValueText(kOverRange, 1, Precision::Single), "OL");
    // Another unit flag: no unit and no value, but the datalogger export keeps "OL".
    EXPECT_EQ(graphValueText(250.0f, 2, Precision::Double), "");
    EXPECT_EQ(graphValueText(kOverRange, 2, Precision::Double), "OL");
    EXPECT_EQ(graphValueText(kOverRange, 2, Precision::Single), "");
    EXPECT_EQ(listValueText(250.0f, 0, 1), "-250.00");
    EXPECT_EQ(listValueText(kOverRange, 0, 1), "-OL");
    EXPECT_EQ(listValueText(1234.5f, 1, 0), "114.73");
    EXPECT_EQ(listValueText(12345.0f, 0, 0), "12.35K");
}

TEST(TextExport, ListExports) {
    EXPECT_EQ(listExport({{250.0f, 0, "General", 0, "01/02/19 10:20:30"}}),
              golden("general-250lux.csv"));
    EXPECT_EQ(listExport({}), golden("empty-list.csv"));
}

// A list file's mode and time are free text: one a spreadsheet would take for a formula is
// marked as text, and tabs and line breaks in them never make cells or rows of their own.
// The program's own texts keep their bytes: the sign of a negative value, the dashes of a
// date the meter could not give.
TEST(TextExport, AListFilesTextsStayText) {
    EXPECT_EQ(listExport({{250.0f, 0, "=HYPERLINK(\"http://x\",\"y\")", 0, "01/02/19 10:20:30"},
                          {250.0f, 0, "+1", 1, "--/--/-- --:--:--"},
                          {250.0f, 1, "Max\r\n@SUM(A1)", 0, "-1\t2"},
                          {250.0f, 0, " -x", 0, "@t"}}),
              utf16Lines({"NO\tData\tUNIT\tSTATUS\tTIME",
                          "1\t250.00\tLux\t'=HYPERLINK(\"http://x\",\"y\")\t 01/02/19 10:20:30",
                          "2\t-250.00\tLux\t'+1\t --/--/-- --:--:--",
                          "3\t23.23\tFC\tMax  @SUM(A1)\t' -1 2", "4\t250.00\tLux\t' -x\t' @t"}));
}

TEST(TextExport, RealtimeExportHasOneRowPerFrameWithItsTime) {
    MeterModel m;
    m.view.m_startTime = 1772352930;  // 2026-03-01 08:15:30 UTC
    m.view.m_sampleRateMs = 2000;
    m.view.m_frameCount = 2;
    m.view.m_sampleIndex = 4;
    m.view.m_viewUnitFC = 0;
    m.frame.m_frameSlot[0] = 0;
    m.frame.m_frameSlot[1] = 3;  // two silent periods between the frames
    m.doc.m_readings[0] = 250.0f;
    m.doc.m_readings[1] = m.doc.m_readings[2] = 250.0f;
    m.doc.m_readings[3] = 1234.5f;
    EXPECT_EQ(realtimeExport(m),
              utf16Lines({"NO\tData\tUNIT\tTIME", "1\t250.00\tLux\t 03/01/26 08:15:30",
                          "2\t1.23K\tLux\t 03/01/26 08:15:36"}));
}

// A damaged journal may hold any start time: rows past what a time can hold, either way,
// show the dashes of an unknown time.
TEST(TextExport, RealtimeRowsAtTheEndsOfTime) {
    for (const auto& [start, rateMs] : {std::pair<qint64, int>{INT64_MAX - 1, 2000},
                                        std::pair<qint64, int>{INT64_MIN + 1, -2000}}) {
        SCOPED_TRACE(start);
        MeterModel m;
        m.view.m_startTime = start;
        m.view.m_sampleRateMs = rateMs;
        m.view.m_frameCount = 2;
        m.view.m_sampleIndex = 4;
        m.view.m_viewUnitFC = 0;
        m.frame.m_frameSlot[0] = 0;
        m.frame.m_frameSlot[1] = 3;
        m.doc.m_readings[0] = 250.0f;
        m.doc.m_readings[3] = 1234.5f;
        EXPECT_EQ(realtimeExport(m),
                  utf16Lines({"NO\tData\tUNIT\tTIME", "1\t250.00\tLux\t --/--/-- --:--:--",
                              "2\t1.23K\tLux\t --/--/-- --:--:--"}));
    }
}

TEST(TextExport, ExportPaths) {
    EXPECT_EQ(exportPathFor("/a/Test.AsmDat", "AsmDat"), "/a/Test.csv");
    EXPECT_EQ(exportPathFor("/a/Test.asmdat", "AsmDat"), "/a/Test.csv");
    EXPECT_EQ(exportPathFor("/a/x.MemDat", "MemDat"), "/a/x.csv");
    EXPECT_EQ(exportPathFor("/a/x", "MemDat"), "/a/x.csv");
}

// A damaged list file can hold half a UTF-16 pair; the export stays valid UTF-16.
TEST(TextExport, ALoneSurrogateBecomesTheReplacementCharacter) {
    const QByteArray out = listExport({{250.0f, 0, QString(QChar(0xD800)) + "x", 0, "t"}});
    ASSERT_GE(out.size(), 14);
    // ... "Lux" TAB U+FFFD "x" TAB " t" CR LF
    EXPECT_EQ(out.right(14), QByteArray("\t\0\xFD\xFFx\0\t\0 \0t\0\r\0\n\0", 16).right(14));
}
