// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "FakeSerial.h"

using namespace km905;
using namespace km905::test;

namespace {
struct DisplayCase {
    int code;
    bool fc;
    const char* value;
    const char* unit;
    const char* range;
    float reading;
};
}  // namespace

TEST(LiveFrame, EveryRangeAndUnitShowsTheMetersTexts) {
    const DisplayCase cases[] = {
        {0, false, "123.4", "KLux", "400k", 123400.0f},
        {1, false, "123.4", "Lux", "400", 123.4f},
        {2, false, "1234", "Lux", "4k", 1234.0f},
        {3, false, "12.34", "KLux", "40k", 12340.0f},
        {0, true, "12.34", "KFC", "40k", static_cast<float>(123400.0f * 1.076)},
        {1, true, "12.34", "FC", "40", static_cast<float>(1234 * 0.1f * 1.076)},
        {2, true, "123.4", "FC", "400", static_cast<float>(1234.0f * 1.076)},
        {3, true, "1234", "FC", "4k", static_cast<float>(12340.0f * 1.076)},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << (c.fc ? " FC" : " lux"));
        FakeLink t;
        FrameSpec s;
        s.measured = s.displayed = 1234;
        s.statusA = static_cast<uint8_t>(c.code | (c.fc ? 0x04 : 0));
        t.frame(s);
        EXPECT_EQ(t.view().m_lcdValue, c.value);
        EXPECT_EQ(t.view().m_lcdUnit, c.unit);
        EXPECT_EQ(t.view().m_lcdRange, c.range);
        EXPECT_FLOAT_EQ(t.model.doc.m_readings[0], c.reading);
        EXPECT_EQ(t.view().m_lcdCounts, 12);
        EXPECT_EQ(t.model.frame.m_unitFC, c.fc ? 1 : 0);
        EXPECT_EQ(t.view().m_viewUnitFC, c.fc ? 1 : 0);
        // Ten divisions span the range.
        const int gains[4] = {40000, 40, 400, 4000};
        EXPECT_EQ(t.view().m_yGain, c.fc ? gains[c.code] / 10 : gains[c.code]);
        EXPECT_EQ(t.model.doc.m_yGainDoc, t.view().m_yGain);
    }
}

TEST(LiveFrame, OverRangeThresholdsFollowTheDisplayedValue) {
    struct Case {
        int code;
        bool fc;
        int count;
        const char* text;
        float shown;
    };
    // The 40k FC range shows OL from 38.02, the 40 FC range from 38.03.
    const Case cases[] = {
        {0, true, 3801, "38.01", 38.01f},  {0, true, 3802, "OL", 40.0f},
        {1, true, 3802, "38.02", 38.02f},  {1, true, 3803, "OL", 40.0f},
        {2, true, 3801, "380.1", 380.1f},  {2, true, 3802, "OL", 400.0f},
        {3, true, 3801, "3801", 3801.0f},  {3, true, 3802, "OL", 4000.0f},
        {0, false, 3999, "399.9", 399.9f}, {0, false, 4000, "OL", 400.0f},
        {1, false, 4000, "OL", 400.0f},    {2, false, 3999, "3999", 3999.0f},
        {2, false, 4000, "OL", 4000.0f},   {3, false, 4000, "OL", 40.0f},
        {3, false, 4500, "OL", 45.0f},  // lux keeps the value it measured
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << " count " << c.count);
        FakeLink t;
        FrameSpec s;
        s.measured = s.displayed = c.count;
        s.statusA = static_cast<uint8_t>(c.code | (c.fc ? 0x04 : 0));
        t.frame(s);
        EXPECT_EQ(t.view().m_lcdValue, c.text);
        EXPECT_FLOAT_EQ(t.model.g.g_lastLux, c.shown);
        const bool ol = QString(c.text) == "OL";
        EXPECT_EQ(t.model.doc.m_readings[0] == kOverRange, ol);
        if (ol && c.fc) {
            EXPECT_EQ(t.view().m_lcdCounts, 40);
        }
    }
}

namespace {
// One unit and range of the meter: its range table and its over-range table.
struct DisplayRow {
    int code;
    bool fc;
    double dispFactor;  // m_fcDispFactor or m_luxDispFactor
    int decimals;       // "%.2f", "%.1f" or "%d"
    double resolution;  // m_dispResolution
    double olAt;        // OL when the displayed value is at or above this
    double olShown;     // the displayed value after OL; < 0: unchanged
    double luxFactor;   // m_luxFactor
};
const DisplayRow kDisplayRows[] = {
    {0, true, 0.01, 2, 1, 38.02, 40, 100}, {1, true, 0.01, 2, 1, 38.03, 40, 0.1},
    {2, true, 0.1, 1, 0.1, 380.2, 400, 1}, {3, true, 1, 0, 0.01, 3802, 4000, 10},
    {0, false, 0.1, 1, 0.1, 400, -1, 100}, {1, false, 0.1, 1, 0.1, 400, -1, 0.1},
    {2, false, 1, 0, 0.01, 4000, -1, 1},   {3, false, 0.01, 2, 1, 40, -1, 10},
};

// count x 10^-decimals, written the way printf writes it, from the integer alone.
QString decimalText(int count, int decimals) {
    if (decimals == 0) return QString::number(count);
    const int unit = decimals == 1 ? 10 : 100;
    return QString::number(count / unit) + '.' +
           QString::number(count % unit).rightJustified(decimals, '0');
}

bool near(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-6 * std::max(1.0, std::fabs(expected));
}
}  // namespace

// Every count the meter can send, in every unit and range: the text, the over-range decision,
// the displayed value, the bar and the stored reading, against the meter's tables.
TEST(LiveFrame, EveryCountOfEveryRangeFollowsTheRangeTables) {
    for (const DisplayRow& r : kDisplayRows) {
        SCOPED_TRACE(testing::Message() << "code " << r.code << (r.fc ? " FC" : " lux"));
        // The limit as a displayed count: the decimal limit over the display factor.
        const int olCount = static_cast<int>(std::lround(r.olAt / r.dispFactor));
        const int barStep = static_cast<int>(std::lround(1 / (r.dispFactor * r.resolution)));
        FakeLink t;
        FrameSpec s;
        s.statusA = static_cast<uint8_t>(r.code | (r.fc ? 0x04 : 0));
        QStringList wrong;
        for (int count = 0; count <= 9999 && wrong.size() < 10; ++count) {
            s.measured = s.displayed = count;
            t.frame(s);
            t.comm.ops.clear();
            const bool ol = count >= olCount;
            const QString text = ol ? QStringLiteral("OL") : decimalText(count, r.decimals);
            const double shown = ol && r.olShown >= 0 ? r.olShown : count * r.dispFactor;
            const int bar =
                ol && r.olShown >= 0 ? static_cast<int>(r.olShown * r.resolution) : count / barStep;
            const double lux = count * r.luxFactor * (r.fc ? 1.076 : 1.0);
            const float stored = t.model.doc.m_readings[0];
            if (t.view().m_lcdValue != text || !near(t.model.g.g_lastLux, shown) ||
                t.view().m_lcdCounts != bar || (ol ? stored != kOverRange : !near(stored, lux)) ||
                !near(t.model.frame.m_dispResolution, r.resolution))
                wrong << QStringLiteral("count %1: \"%2\" %3 bar %4 stored %5")
                             .arg(count)
                             .arg(t.view().m_lcdValue)
                             .arg(static_cast<double>(t.model.g.g_lastLux), 0, 'g', 9)
                             .arg(t.view().m_lcdCounts)
                             .arg(static_cast<double>(stored), 0, 'g', 9);
        }
        EXPECT_TRUE(wrong.isEmpty()) << "OL from count " << olCount << "; first differences:\n"
                                     << wrong.join('\n').toStdString();
    }
}

TEST(LiveFrame, RangeChangeHoldsThePreviousReadingForThreeFrames) {
    FakeLink t;
    FrameSpec s;
    s.measured = s.displayed = 2500;  // 2500 lux on the 4k range
    t.frame(s);
    EXPECT_FLOAT_EQ(t.model.doc.m_readings[0], 2500.0f);  // the first frame is not a change
    EXPECT_EQ(t.model.g.g_holdFrames, 0);

    s.statusA = 0x03;  // 40k range
    s.measured = s.displayed = 310;
    std::vector<float> stored;
    for (int i = 0; i < 4; ++i) {
        t.frame(s);
        stored.push_back(t.model.doc.m_readings[0]);
    }
    EXPECT_EQ(stored, (std::vector<float>{2500, 2500, 2500, 3100}));
    EXPECT_EQ(t.view().m_lcdValue, "3.10");  // the display follows at once
}

TEST(LiveFrame, SignHoldModesAndMemoryIndicator) {
    FakeLink t;
    FrameSpec s;
    s.statusB = 0x10;
    s.statusA = 0x02 | 0x40 | 0x20;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdValue, "-2500");
    EXPECT_EQ(t.view().m_lcdHold, "HOLD");
    EXPECT_EQ(t.view().m_lcdMode, "MAX ");

    const std::pair<int, const char*> modes[] = {{0x10, "PMIN"}, {0x18, "PMAX"}, {0x28, "MIN "},
                                                 {0x30, "Manu"}, {0x08, "Manu"}, {0x38, "Manu"},
                                                 {0x00, "    "}};
    for (auto [bits, text] : modes) {
        s.statusA = static_cast<uint8_t>(0x02 | bits);
        t.frame(s);
        EXPECT_EQ(t.view().m_lcdMode, text) << bits;
    }
    EXPECT_EQ(t.view().m_lcdHold, "    ");

    s.statusB = 0x01;
    s.mem1 = 7;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdMemFlag, "MEM");
    EXPECT_EQ(t.view().m_lcdMemNo, "07");
    s.statusB = 0x02;
    s.mem2 = 42;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdMemNo, "42");
    s.statusB = 0x03;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdMemFlag, "REC");
    EXPECT_EQ(t.view().m_lcdMemNo, "   ");
    s.statusB = 0x00;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdMemFlag, "   ");
    EXPECT_EQ(t.view().m_lcdValue, "2500");
}

// The sign goes in front of whatever the over-range step left, "OL" too.
TEST(LiveFrame, ANegativeOverRangeShowsMinusOL) {
    FakeLink t;
    FrameSpec s;
    s.statusB = 0x10;
    s.measured = s.displayed = 4000;  // 4k lux range: OL
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdValue, "-OL");
    EXPECT_EQ(t.model.doc.m_readings[0], kOverRange);
    s.statusA = 0x01 | 0x04;  // 40 FC range, at its own limit
    s.measured = s.displayed = 3803;
    t.frame(s);
    EXPECT_EQ(t.view().m_lcdValue, "-OL");
    EXPECT_FLOAT_EQ(t.model.g.g_lastLux, 40.0f);
}

// On a link that already had frames: a new range, or a new unit on the same
// range, brings the Y offset back to 0 and sets the gain of the range; a frame that changes
// neither leaves what the Y axis dialog chose.
TEST(LiveFrame, YOffsetReturnsToZeroOnARangeOrUnitChangeOfARunningLink) {
    FakeLink t;
    FrameSpec s;  // 4k lux range
    t.frame(s);
    ViewState& v = t.model.view;
    v.m_yOffset = 4;
    v.m_yGain = 40;
    const int updates = t.ui.viewUpdates;
    t.frame(s);
    EXPECT_EQ(v.m_yOffset, 4);
    EXPECT_EQ(v.m_yGain, 40);
    EXPECT_EQ(t.ui.viewUpdates, updates);

    s.statusA = 0x03;  // 40k lux range
    t.frame(s);
    EXPECT_EQ(v.m_yOffset, 0);
    EXPECT_EQ(v.m_yGain, 4000);  // scale unit 100 x 40
    EXPECT_EQ(t.model.doc.m_yGainDoc, 4000);

    v.m_yOffset = 6;
    s.statusA = 0x03 | 0x04;  // the same range in foot-candles (4k FC)
    t.frame(s);
    EXPECT_EQ(v.m_yOffset, 0);
    EXPECT_EQ(v.m_yGain, 400);  // scale unit 100 x 4
    EXPECT_EQ(t.model.doc.m_yGainDoc, 400);

    v.m_yOffset = 8;
    s.statusA = 0x03;  // back to lux, still range 3
    t.frame(s);
    EXPECT_EQ(v.m_yOffset, 0);
    EXPECT_EQ(v.m_yGain, 4000);

    v.m_yOffset = 10;
    t.frame(s);
    EXPECT_EQ(v.m_yOffset, 10);
}

TEST(LiveFrame, ClockLines) {
    FakeLink t;
    FrameSpec s;
    const std::tuple<int, const char*, const char*> lines[] = {{0x00, "Time", "09:30:45"},
                                                               {0x04, "Day", "2 12 08"},
                                                               {0x08, "Sampling", "05"},
                                                               {0x0C, "Year", "2026"}};
    for (auto [bits, caption, text] : lines) {
        s.statusB = static_cast<uint8_t>(bits);
        t.frame(s);
        EXPECT_EQ(t.view().m_lcdClockCaption, caption);
        EXPECT_EQ(t.view().m_lcdClock, text);
    }
    EXPECT_EQ(t.model.frame.m_year, 2026);
    EXPECT_EQ(t.model.frame.m_sampleSecs, 5);
}

TEST(LiveFrame, BatteryIsJudgedUntilItReadsLow) {
    FakeLink t;
    FrameSpec s;
    t.frame(s);
    EXPECT_EQ(t.view().m_batteryText, "Normal");
    s.statusB = 0x20;
    t.frame(s);
    EXPECT_EQ(t.view().m_batteryText, "Low");
    EXPECT_EQ(t.model.frame.m_checkBattery, 0);
    s.statusB = 0x00;
    t.frame(s);
    EXPECT_EQ(t.view().m_batteryText, "Low");  // only a link failure re-arms the check
}

TEST(LiveFrame, StatisticsFollowEveryFrameInBothUnits) {
    FakeLink t;
    EXPECT_EQ(t.view().m_statMaxText, "");
    FrameSpec s;
    s.measured = s.displayed = 4000;  // only over-range so far
    t.frame(s);
    EXPECT_EQ(t.view().m_statMaxText, "----");
    EXPECT_EQ(t.view().m_statAvgText, "----");
    for (int count : {100, 300}) {
        s.measured = s.displayed = count;
        t.frame(s);
    }
    EXPECT_EQ(t.view().m_statMaxText, "300.00  Lux");
    EXPECT_EQ(t.view().m_statMinText, "100.00  Lux");
    EXPECT_EQ(t.view().m_statAvgText, "200.00  Lux");
    EXPECT_EQ(t.view().m_statMaxTime, "09:00:00");

    s.measured = s.displayed = 4000;  // OL is left out
    t.frame(s);
    EXPECT_EQ(t.view().m_statAvgText, "200.00  Lux");
    EXPECT_EQ(t.model.g.g_statCount, 2);

    t.clock.advance(61000);
    s.measured = s.displayed = 1500;
    t.frame(s);
    EXPECT_EQ(t.view().m_statMaxText, "1.50  KLux");
    EXPECT_EQ(t.view().m_statAvgText, "633.33  Lux");
    EXPECT_EQ(t.view().m_statMaxTime, "09:01:01");
    EXPECT_EQ(t.view().m_statMinTime, "09:00:00");

    s.statusA = 0x02 | 0x04;  // the meter switched to foot-candles: same lux statistics
    s.measured = s.displayed = 1;
    t.frame(s);
    EXPECT_EQ(t.view().m_statMaxText, "139.41  FC");
    EXPECT_EQ(t.view().m_statMinText, "0.10  FC");  // 1.076 lux
}

TEST(LiveFrame, ShortFramesNeverDecodeAndCutFramesAreSkipped) {
    FakeLink t;
    FrameSpec s;
    s.measured = s.displayed = 777;
    const QByteArray good = liveFrame(s);
    t.comm.deliver(good.left(12));
    EXPECT_EQ(t.view().m_frameArrived, 0);
    EXPECT_EQ(t.view().m_linkDown, 1);

    // The rest of a cut frame followed by a whole one: only the whole one counts.
    FakeLink u;
    u.comm.deliver(good.left(7) + good);
    EXPECT_EQ(u.view().m_lcdValue, "777");
    EXPECT_FLOAT_EQ(u.model.doc.m_readings[0], 777.0f);
}

TEST(LiveFrame, RecordingLimitsStopTheRecording) {
    for (auto [frames, samples] : {std::pair{10000, 5}, std::pair{5, 19990}}) {
        FakeLink t;
        t.model.rec.liveFrame();  // a frame, Run, and the frame that starts the recording
        t.model.rec.run();
        t.model.rec.liveFrame();
        t.model.view.m_frameCount = frames;
        t.model.view.m_sampleIndex = samples;
        t.frame(FrameSpec{});
        EXPECT_FALSE(t.model.rec.recording());
        EXPECT_TRUE(t.model.rec.stopped());
        EXPECT_FALSE(t.model.rec.canStop());
        EXPECT_FLOAT_EQ(t.model.doc.m_readings[static_cast<size_t>(samples)], 2500.0f);
    }
}

TEST(LiveFrame, FirstFrameAfterRunRestartsTheRecording) {
    FakeLink t;
    t.model.view.m_sampleIndex = 7;
    t.model.view.m_frameCount = 3;
    t.model.rec.run();
    t.clock.advance(5000);
    t.frame(FrameSpec{});
    EXPECT_EQ(t.model.view.m_sampleIndex, 0);
    EXPECT_EQ(t.model.view.m_frameCount, 0);
    EXPECT_EQ(t.model.view.m_startTime, t.clock.nowSecs());
    EXPECT_FALSE(t.model.rec.stopped());
    EXPECT_FALSE(t.model.rec.canRun());    // recording: Run stays disabled
    EXPECT_EQ(t.model.doc.m_curIndex, 7);  // copied before the frame was decoded
}
