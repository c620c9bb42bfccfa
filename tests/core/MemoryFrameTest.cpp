#include <gtest/gtest.h>

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
        model.frame.m_memPending = 1;
        model.frame.m_liveMode = 0;
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
    EXPECT_EQ(f.m_memReady, 1);
    EXPECT_EQ(f.m_memPending, 0);
    EXPECT_EQ(f.m_liveMode, 1);
    EXPECT_EQ(f.m_logByteCount, 0);
    EXPECT_EQ(t.model.view.m_lcdBanner, "        ");
    EXPECT_EQ(t.comm.threshold, 19);
    EXPECT_EQ(t.ui.progressRepaints, 1);
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
    EXPECT_EQ(t.model.frame.m_memReady, 0);
}

TEST(MemoryFrame, DownloadFromTheSimulatedMeter) {
    LinkHarness h;
    h.link.reopenAndPoll();
    h.clock.advance(100);
    ASSERT_EQ(h.model.view.m_batteryText, "Normal");
    h.link.startMemDownload();
    EXPECT_TRUE(h.clock.runUntil([&] { return h.model.frame.m_memReady == 1; }, 3000));
    // 1352 bytes at 9600 baud after the 1 s delay.
    EXPECT_NEAR(static_cast<double>(h.comm.eventSizes().back()), 1352, 0);
    const CDTDoc& d = h.model.doc;
    ASSERT_EQ(d.m_memCount, 4);
    EXPECT_EQ(d.m_memTimes[0], "12/07/26 10:20:30");
    EXPECT_FLOAT_EQ(d.m_memValues[0], 250.0f);
    EXPECT_FLOAT_EQ(d.m_memValues[1], 1235.0f);  // 1234.5 lux on the 4k range
    EXPECT_EQ(d.m_memModes[1], "Max");
    EXPECT_EQ(d.m_memUnitFC[2], 1);
    EXPECT_EQ(d.m_memModes[3], "Min");
    EXPECT_EQ(h.model.frame.m_liveMode, 1);
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
