// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "FakeSerial.h"

using namespace km905;
using namespace km905::test;

namespace {
QByteArray memoryRecord(int day, int count, uint8_t status, uint8_t b11 = 0) {
    return bytes({0x19, 0x00, 0x01, day, 0x10, 0x20, 0x30, 0x00, count / 100, count % 100, status,
                  b11, 0x00});
}

QByteArray memoryFrame(const std::vector<QByteArray>& records, int size = 1352) {
    QByteArray f = bytes({0xBB, 0x88, 0x00});
    for (const QByteArray& r : records) f += r;
    while (f.size() < size) f.append(static_cast<char>(0xFF));
    return f.left(size);
}

struct MemLink : FakeLink {
    MemLink() {
        model.frame.mode.beginMemDownload();
        model.frame.m_logByteCount = 2000;
        model.view.m_lcdBanner = "DownLoad";
    }
};
}  // namespace

TEST(MemoryFrame, RecordsAreDecodedIntoTheDocument) {
    MemLink t;
    t.comm.deliver(memoryFrame(
        {memoryRecord(0x02, 2500, 0x02 | 0x00), memoryRecord(0x03, 1234, 0x03 | 0x20, 0x10),
         memoryRecord(0x04, 3000, 0x02 | 0x04 | 0x30), memoryRecord(0x05, 100, 0x01 | 0x08)}));
    const CDTDoc& d = t.model.doc;
    ASSERT_EQ(d.m_memCount, 4);
    EXPECT_EQ(d.m_memTimes[0], "01/02/19 10:20:30");
    EXPECT_FLOAT_EQ(d.m_memValues[0], 2500.0f);
    EXPECT_EQ(d.m_memModes[0], "General");
    EXPECT_FLOAT_EQ(d.m_memValues[1], 12340.0f);
    EXPECT_EQ(d.m_memModes[1], "Max");
    EXPECT_EQ(d.m_memFlagB[1], 1);
    EXPECT_FLOAT_EQ(d.m_memValues[2], static_cast<float>(3000.0f * 1.076));
    EXPECT_EQ(d.m_memUnitFC[2], 1);
    EXPECT_EQ(d.m_memModes[2], "Rel");  // the live display calls the same bits "Manu"
    EXPECT_EQ(d.m_memModes[3], "");     // unknown mode bits leave the entry alone
    const LinkState& f = t.model.frame;
    EXPECT_EQ(f.m_memEmpty, 0);
    EXPECT_TRUE(f.mode.memReady());
    EXPECT_FALSE(f.mode.memPending());
    EXPECT_TRUE(f.mode.liveMode());
    EXPECT_EQ(f.m_logByteCount, 0);
    EXPECT_EQ(t.model.view.m_lcdBanner, "        ");
    EXPECT_EQ(t.comm.threshold, 19);
    EXPECT_EQ(t.ui.progressRepaints, 1);
}

// Memory frame: status & 0x38 names the mode; 0x08 and 0x38 name none and
// leave the entry as it was.
TEST(MemoryFrame, EveryModeTheMeterSends) {
    const std::pair<uint8_t, const char*> modes[] = {
        {0x00, "General"}, {0x10, "Pmin"}, {0x18, "Pmax"}, {0x20, "Max"},
        {0x28, "Min"},     {0x30, "Rel"},  {0x08, "kept"}, {0x38, "kept"},
    };
    MemLink t;
    std::vector<QByteArray> recs;
    for (size_t k = 0; k < std::size(modes); ++k) {
        t.model.doc.m_memModes[k] = "kept";
        recs.push_back(memoryRecord(toBcd(static_cast<int>(k) + 1), 100, 0x02 | modes[k].first));
    }
    t.comm.deliver(memoryFrame(recs));
    ASSERT_EQ(t.model.doc.m_memCount, static_cast<int>(std::size(modes)));
    for (size_t k = 0; k < std::size(modes); ++k)
        EXPECT_EQ(t.model.doc.m_memModes[k], modes[k].second) << "status " << int(modes[k].first);
}

// Memory frame, for every count in both units and all four ranges: count x
// factor (x 1.076 in foot-candles), OL only above factor x 4000. The limit is taken on the
// count in the unit the meter measured, before the foot-candle conversion.
TEST(MemoryFrame, EveryCountOfEveryRangeAgainstTheMetersLimit) {
    const double factors[4] = {100, 0.1, 1, 10};  // codes 0..3
    for (int code = 0; code < 4; ++code) {
        for (bool fc : {false, true}) {
            SCOPED_TRACE(testing::Message() << "code " << code << (fc ? " FC" : " lux"));
            QStringList wrong;
            for (int first = 0; first <= 9999 && wrong.size() < 10; first += 99) {
                std::vector<QByteArray> recs;
                for (int c = first; c < first + 99 && c <= 9999; ++c)
                    recs.push_back(memoryRecord(1, c, static_cast<uint8_t>(code | (fc ? 4 : 0))));
                const QByteArray f = memoryFrame(recs);
                const MemoryFrame m = decodeMemoryFrame(
                    reinterpret_cast<const uint8_t*>(f.constData()), static_cast<size_t>(f.size()));
                ASSERT_EQ(m.records.size(), recs.size());
                for (size_t k = 0; k < m.records.size(); ++k) {
                    const int count = first + static_cast<int>(k);
                    const double lux = count * factors[code] * (fc ? 1.076 : 1.0);
                    const float v = m.records[k].value;
                    const bool ok = count > 4000 ? v == kOverRange
                                                 : std::fabs(v - lux) <= 1e-6 * std::max(1.0, lux);
                    if (!ok || m.records[k].rangeFactor != static_cast<float>(factors[code]))
                        wrong
                            << QStringLiteral("count %1: %2").arg(count).arg(double(v), 0, 'g', 9);
                }
            }
            EXPECT_TRUE(wrong.isEmpty()) << wrong.join('\n').toStdString();
        }
    }
}

TEST(MemoryFrame, EmptyTwelveAndNinetyNineRecords) {
    for (int n : {0, 12, 99}) {
        MemLink t;
        std::vector<QByteArray> recs;
        for (int k = 0; k < n; ++k) recs.push_back(memoryRecord(toBcd(k % 28 + 1), k, 0x02));
        t.comm.deliver(memoryFrame(recs));
        EXPECT_EQ(t.model.doc.m_memCount, n);
        EXPECT_EQ(t.model.frame.m_memEmpty, n == 0 ? 1 : 0);
        if (n) {
            EXPECT_FLOAT_EQ(t.model.doc.m_memValues[static_cast<size_t>(n - 1)], n - 1.0f);
        }
    }
}

TEST(MemoryFrame, ValueAtTheLimitStaysAndAboveItIsOL) {
    MemLink t;
    t.comm.deliver(memoryFrame({memoryRecord(1, 4000, 0x02), memoryRecord(1, 4001, 0x02),
                                memoryRecord(1, 3900, 0x02 | 0x04)}));
    EXPECT_FLOAT_EQ(t.model.doc.m_memValues[0], 4000.0f);
    EXPECT_EQ(t.model.doc.m_memValues[1], kOverRange);
    // 390 FC on the 400 FC range is a reading, not over range.
    EXPECT_FLOAT_EQ(t.model.doc.m_memValues[2], static_cast<float>(3900.0f * 1.076));
}

TEST(MemoryFrame, AShortFrameKeepsOnlyWholeRecords) {
    MemLink t;
    QByteArray f =
        memoryFrame({memoryRecord(1, 10, 2), memoryRecord(2, 20, 2), memoryRecord(3, 30, 2)});
    t.comm.deliver(f.left(3 + 13 * 2 + 5));
    EXPECT_EQ(t.model.doc.m_memCount, 2);
    MemLink u;
    u.comm.deliver(f.left(5));  // not even the first day
    EXPECT_EQ(u.model.doc.m_memCount, 0);
    EXPECT_EQ(u.model.frame.m_memEmpty, 1);
}

TEST(MemoryFrame, IgnoredUnlessAMemoryDownloadIsPending) {
    FakeLink t;
    t.comm.deliver(memoryFrame({memoryRecord(1, 10, 2)}));
    EXPECT_EQ(t.model.doc.m_memCount, 0);
    EXPECT_FALSE(t.model.frame.mode.memReady());
}

TEST(MemoryFrame, DownloadFromTheSimulatedMeter) {
    LinkHarness h;
    h.link.reopenAndPoll();
    h.clock.advance(100);
    ASSERT_EQ(h.model.view.m_batteryText, "Normal");
    const qint64 start = h.clock.nowMs();
    h.link.startMemDownload();
    EXPECT_TRUE(h.clock.runUntil([&] { return h.model.frame.mode.memReady(); }, 3000));
    // Timer 3 sends the request 1 s after the command; then the request byte goes
    // out and the 1352 bytes of the frame come back at 9600 baud, ten bits a byte.
    const double expectedMs = 1000 + (1 + 1352) * 10 * 1000.0 / 9600;  // 2409.4
    EXPECT_NEAR(static_cast<double>(h.clock.nowMs() - start), expectedMs, 2.0);
    EXPECT_EQ(h.comm.eventSizes().back(), 1352);  // the whole frame in one event
    const CDTDoc& d = h.model.doc;
    ASSERT_EQ(d.m_memCount, 4);
    EXPECT_EQ(d.m_memTimes[0], "12/07/26 10:20:30");
    EXPECT_FLOAT_EQ(d.m_memValues[0], 250.0f);
    EXPECT_FLOAT_EQ(d.m_memValues[1], 1235.0f);  // 1234.5 lux on the 4k range
    EXPECT_EQ(d.m_memModes[1], "Max");
    EXPECT_EQ(d.m_memUnitFC[2], 1);
    EXPECT_EQ(d.m_memModes[3], "Min");
    EXPECT_TRUE(h.model.frame.mode.liveMode());
}

// A month 0x13 or an hour 0x25 from the meter never reaches the C library's formatting.
TEST(MemoryFrame, ImpossibleTimesShowAsDashes) {
    MemLink t;
    QByteArray badMonth = memoryRecord(0x02, 2500, 0x02);
    badMonth[2] = 0x13;
    QByteArray badHour = memoryRecord(0x03, 2500, 0x02);
    badHour[4] = 0x25;
    t.comm.deliver(memoryFrame({badMonth, badHour, memoryRecord(0x04, 2500, 0x02)}));
    const CDTDoc& d = t.model.doc;
    ASSERT_EQ(d.m_memCount, 3);
    EXPECT_EQ(d.m_memTimes[0], "--/--/-- --:--:--");
    EXPECT_EQ(d.m_memTimes[1], "--/--/-- --:--:--");
    EXPECT_EQ(d.m_memTimes[2], "01/04/19 10:20:30");
    EXPECT_FLOAT_EQ(d.m_memValues[0], 2500.0f);  // the reading itself is kept
}
