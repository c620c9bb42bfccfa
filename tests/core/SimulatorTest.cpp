#include <gtest/gtest.h>

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
