// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "LinkHarness.h"
#include "Scenario.h"

using namespace km905;
using namespace km905::sim;
using namespace km905::test;

TEST(Simulator, KeysActAsTheMeterDoes) {
    Scenario s;
    s.level.kind = LevelCurve::Kind::Constant;
    s.level.base = 250;
    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(30);
    EXPECT_EQ(h.model.view.m_lcdValue, "250.0");
    EXPECT_EQ(h.model.view.m_lcdRange, "400");

    auto press = [&](uint8_t k) {
        h.link.sendThree(0x87, 0x83, k);
        h.clock.advance(200);
    };
    press(kKeyRange);
    EXPECT_EQ(h.model.view.m_lcdRange, "4k");
    EXPECT_EQ(h.model.view.m_lcdValue, "250");
    press(kKeyFcLux);
    EXPECT_EQ(h.model.view.m_lcdUnit, "FC");
    EXPECT_EQ(h.model.view.m_lcdValue, "23.2");  // 250 lux in FC on the 400 FC range
    press(kKeyFcLux);
    press(kKeyHold);
    EXPECT_EQ(h.model.view.m_lcdHold, "HOLD");
    h.meter.scenario().level.base = 900;
    h.clock.advance(200);
    EXPECT_EQ(h.model.view.m_lcdValue, "250");  // frozen
    press(kKeyHold);
    EXPECT_EQ(h.model.view.m_lcdValue, "900");
    press(kKeyMaxMin);
    EXPECT_EQ(h.model.view.m_lcdMode, "MAX ");
    press(kKeyMaxMin);
    EXPECT_EQ(h.model.view.m_lcdMode, "MIN ");
    press(kKeyPeak);
    EXPECT_EQ(h.model.view.m_lcdMode, "PMAX");
    press(kKeyRel);
    EXPECT_EQ(h.model.view.m_lcdMode, "Manu");
    press(kKeyRel);
    const size_t stored = h.meter.scenario().memory.size();
    press(kKeyMemSet);
    EXPECT_EQ(h.meter.scenario().memory.size(), stored + 1);
    EXPECT_EQ(h.model.view.m_lcdMemFlag, "MEM");
    EXPECT_EQ(h.model.view.m_lcdMemNo, QString::asprintf("%02d", static_cast<int>(stored + 1)));
    press(kKeyPeakDouble);
    EXPECT_EQ(h.model.view.m_lcdClockCaption, "Day");
    press(kKeyLoad);
    EXPECT_EQ(h.model.view.m_lcdMemNo, "01");
    press(kKeyLoadDouble);
    EXPECT_EQ(h.model.view.m_lcdMemFlag, "   ");

    h.link.sendEndOfLink();
    h.clock.advance(10);
    EXPECT_EQ(h.meter.endOfLinkCount(), 1);
    EXPECT_EQ(h.meter.commandLog().back(), "key end of link");
}

TEST(Simulator, LiveFrameCarriesTheScenario) {
    Scenario s;
    s.level.kind = LevelCurve::Kind::Constant;
    s.level.base = 12345;
    s.fc = false;
    s.negative = true;
    s.lowBattery = true;
    s.clockLine = 3;
    s.sampleSecs = 30;
    s.clockStart = {2026, 12, 31, 23, 59, 58};
    MeterSimulator m(s);
    const QByteArray f = m.liveFrame(3000);  // past midnight
    EXPECT_EQ(f.toHex(' '), "aa dd 00 27 05 01 01 00 00 01 0c 23 0c 23 03 3c 00 00 30");
    const std::optional<LiveFrame> lf =
        decodeLiveFrame(reinterpret_cast<const uint8_t*>(f.constData()), f.size());
    ASSERT_TRUE(lf);
    EXPECT_EQ(lf->year, 2027);
    EXPECT_EQ(lf->rangeCode(), 3);
    EXPECT_EQ(lf->measuredCount, 1235);
}

TEST(Simulator, ScenarioFilesParseAndReportBadLines) {
    const Scenario s = parseScenario(
        "# a test\n"
        "unit fc\nrange 3\nlevel points 0 100 10 200\n"
        "memory 2019-01-02 10:20:30 250 lux General\n"
        "logger 2026-01-01 08:00:00 2 lux 10 20 OL\n"
        "fault truncate 4 9\nfault unplug 5 3\n");
    EXPECT_TRUE(s.fc);
    EXPECT_FALSE(s.autoRange);
    EXPECT_EQ(s.range, 3);
    EXPECT_DOUBLE_EQ(s.level.luxAt(5), 150);
    EXPECT_DOUBLE_EQ(s.level.luxAt(60), 200);
    EXPECT_EQ(s.logger.at(0).samples.size(), 3u);
    EXPECT_EQ(s.faults.truncateEvery, 4);
    EXPECT_EQ(s.faults.truncateTo, 9);
    EXPECT_TRUE(s.faults.unplug.has_value());
    try {
        parseScenario("unit lux\nlevel wobble 3\n");
        FAIL() << "accepted a bad line";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "line 2: level is const, sine or points");
    }
    // Numbers no int holds are refused, not converted.
    for (const char* bad : {"interval 1e20\n", "interval nan\n", "range -3e12\n"})
        EXPECT_THROW(parseScenario(bad), std::runtime_error) << bad;
}

TEST(Simulator, MemoryFrameIs1352BytesWithUnusedRecordsBlank) {
    MeterSimulator m;
    const QByteArray f = m.memoryFrame();
    ASSERT_EQ(f.size(), 1352);
    EXPECT_EQ(f.left(3).toHex(), "bb8800");
    EXPECT_EQ(static_cast<uint8_t>(f[3 + 13 * 4 + 3]), 0xFF);  // the fifth record's day
}

// Worked by hand: FC = lux / 10.76; a count is 0.01 FC on the 40 FC range (code 1), 0.1 FC on
// 400 FC (2), 1 FC on 4k FC (3) and 10 FC on 40k FC (0, shown as KFC).
TEST(Simulator, FootCandleCountsFitTheRangeThatShowsThem) {
    struct Case {
        double lux;
        int range;
        int count;
    };
    const Case cases[] = {
        {250, 1, 2323},     // 23.23 FC
        {409.1, 1, 3802},   // 38.02 FC, just below OL at 38.03
        {409.2, 2, 380},    // 38.03 FC would be OL on 40 FC: 38.0 on 400 FC
        {4000, 2, 3717},    // 371.7 FC
        {4100, 3, 381},     // 381.04 FC would be OL on 400 FC
        {40903, 3, 3801},   // 3801.4 FC
        {42000, 0, 390},    // 3903.3 FC would be OL on 4k FC: 3.90 KFC
        {50000, 0, 465},    // 4646.8 FC: 4.65 KFC
        {400000, 0, 3717},  // 37.17 KFC
    };
    for (const Case& c : cases) {
        EXPECT_EQ(autoRangeFor(c.lux, true), c.range) << c.lux << " lux";
        EXPECT_EQ(countFor(c.lux, c.range, true), c.count) << c.lux << " lux";
    }
    EXPECT_EQ(autoRangeFor(399.9, false), 1);
    EXPECT_EQ(countFor(399.9, 1, false), 3999);
    EXPECT_EQ(autoRangeFor(123456, false), 0);
    EXPECT_EQ(countFor(123456, 0, false), 1235);
}

// Up to 380k lux the meter never sends a count its own range shows as OL: 4000 counts on a
// lux range, 38.03 FC on 40 FC, 380.2 FC, 3802 FC and 38.02 KFC on the others.
TEST(Simulator, AutorangingNeverShowsOverRangeBelowTheTopRange) {
    const int topLux = 3999;
    const int topFc[4] = {3801, 3802, 3801, 3801};
    for (double lux = 0.5; lux < 380000; lux *= 1.0003) {
        for (bool fc : {false, true}) {
            const int range = autoRangeFor(lux, fc);
            const int top = fc ? topFc[range] : topLux;
            EXPECT_LE(countFor(lux, range, fc), top) << lux << (fc ? " lux in FC" : " lux");
            if (HasFailure()) return;
        }
    }
}

TEST(Simulator, FiftyThousandLuxInFootCandlesShowsKiloFootCandles) {
    Scenario s = parseScenario(
        "unit fc\nlevel const 50000\n"
        "memory 2026-01-02 10:20:30 50000 fc\n"
        "logger 2026-01-02 11:00:00 2 fc 50000 4100\n");
    ASSERT_EQ(s.memory.size(), 1u);
    EXPECT_EQ(s.memory[0].range, 0);
    EXPECT_EQ(s.memory[0].count, 465);
    ASSERT_EQ(s.logger.at(0).samples.size(), 2u);
    EXPECT_EQ(s.logger[0].samples[0].range, 0);
    EXPECT_EQ(s.logger[0].samples[0].count, 465);
    EXPECT_EQ(s.logger[0].samples[1].range, 3);
    EXPECT_EQ(s.logger[0].samples[1].count, 381);

    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(30);
    EXPECT_EQ(h.model.view.m_lcdValue, "4.65");
    EXPECT_EQ(h.model.view.m_lcdUnit, "KFC");
    EXPECT_EQ(h.model.view.m_lcdRange, "40k");
}

// REC (MEMSET double) on for nine seconds at a 2 s interval: samples at 0, 2, 4, 6 and 8 s.
TEST(Simulator, TheMetersOwnRecordingLogsAtItsInterval) {
    Scenario s =
        parseScenario("level points 0 100 60 400\ninterval 2\nclock 2026-03-01 08:00:00\n");
    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(1000);
    h.link.sendThree(0x87, 0x83, kKeyMemSetDouble);
    h.clock.advance(9000);
    h.link.sendThree(0x87, 0x83, kKeyMemSetDouble);
    h.clock.advance(10000);  // stopped: nothing more is logged
    ASSERT_EQ(h.meter.scenario().logger.size(), 1u);
    const SimLogRecord& r = h.meter.scenario().logger[0];
    EXPECT_EQ(r.start, (MeterDateTime{2026, 3, 1, 8, 0, 1}));
    EXPECT_EQ(r.rate, 2);
    // 5 lux more every second from 100 lux at 0 s, in 0.1 lux counts on the 400 lux range.
    const int counts[] = {1050, 1150, 1250, 1350, 1450};
    ASSERT_EQ(r.samples.size(), 5u);
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(r.samples[k].count, counts[k]) << k;
        EXPECT_EQ(r.samples[k].range, 1) << k;
    }
}

// The README's demonstration meter: a 4 x 3 survey in its memory, worked by hand.
TEST(Simulator, TheDemonstrationScenarioHoldsTheOfficeSurvey) {
    QFile f(QStringLiteral(KM905_TEST_DATA "/../../sim/scenarios/demo.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const sim::Scenario s = sim::parseScenario(QString::fromUtf8(f.readAll()));
    ASSERT_EQ(s.memory.size(), 14u);
    EXPECT_EQ(s.logger.size(), 2u);
    // Point 9, the darkest: 298 lux fits the 400 lux range (code 1) at 0.1 lux a count.
    EXPECT_EQ(s.memory[8].range, 1);
    EXPECT_EQ(s.memory[8].count, 2980);
    // Point 6, 520 lux, needs the 4k lux range (code 2).
    EXPECT_EQ(s.memory[5].range, 2);
    EXPECT_EQ(s.memory[5].count, 520);
    EXPECT_EQ(s.memory[12].modeBits, 0x30);
}
