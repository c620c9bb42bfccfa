// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "FakeSerial.h"
#include "LinkHarness.h"
#include "core/dialogs/DownloadProgress.h"

using namespace km905;
using namespace km905::test;

namespace {

// A datalogger whose stream is exactly n bytes: records of 13 header bytes and 3-byte samples.
sim::Scenario streamOf(int n) {
    sim::Scenario s;
    s.level.kind = sim::LevelCurve::Kind::Constant;
    s.level.base = 250;
    if (n == 0) return s;
    const int records = n % 3 == 0 ? 3 : n % 3;
    int samples = (n - 13 * records) / 3;
    for (int r = 0; r < records; ++r) {
        sim::SimLogRecord rec;
        rec.start = {2026, 3, 1 + r, 8, 15, 30};
        rec.rate = 1 + r;
        rec.fc = r == 1;
        const int mine = r + 1 == records ? samples : samples / (records - r);
        samples -= mine;
        for (int k = 0; k < mine; ++k) rec.samples.push_back({k % 4000, (k / 7) % 4, rec.fc});
        s.logger.push_back(rec);
    }
    return s;
}

// The datalogger parse, per range code 0..3: the factor and the division value.
const double kLogFactors[4] = {100, 0.1, 1, 10};
const int kLogDivisions[4] = {40000, 40, 400, 4000};

// count x factor, x 1.076 in foot-candles; OL at or above factor x 4000 (taken on the count
// in the unit the meter measured, before the foot-candle conversion).
bool holdsSample(float actual, int count, int range, bool fc) {
    if (count >= 4000) return actual == kOverRange;
    const double lux = count * kLogFactors[range] * (fc ? 1.076 : 1.0);
    return std::fabs(actual - lux) <= 1e-6 * std::max(1.0, lux);
}

struct Download {
    explicit Download(int n, std::vector<int> chunks) : h(streamOf(n)) {
        h.comm.setChunkPattern(std::move(chunks));
        h.link.reopenAndPoll();
        h.clock.advance(100);
        h.link.startLogDownload();
        h.clock.advance(200);  // the request goes out
        h.comm.clearHistory();
    }
    bool finish() {
        return h.clock.runUntil([&] { return h.model.frame.mode.logReady(); }, 120000);
    }
    LinkHarness h;
};

void expectDocumentHolds(const LinkHarness& h) {
    const CDTDoc& d = h.model.doc;
    const auto& recs = h.meter.scenario().logger;
    ASSERT_EQ(d.m_logRecordCount, static_cast<int>(recs.size()));
    ASSERT_EQ(d.m_logRecStart.size(), recs.size() + 1);
    size_t at = 0;
    for (size_t k = 0; k < recs.size(); ++k) {
        EXPECT_EQ(d.m_logRecStart[k], static_cast<int>(at));
        EXPECT_EQ(d.m_logStartTimes[k], recs[k].start);
        EXPECT_EQ(d.m_logRecRate[k], recs[k].rate);
        EXPECT_EQ(d.m_logRecUnit[k], recs[k].fc ? 1 : 0);
        const int lastRange = recs[k].samples.empty() ? -1 : recs[k].samples.back().range;
        EXPECT_EQ(d.m_logRecGain[k], lastRange < 0 ? 0 : kLogDivisions[lastRange]);
        for (const auto& s : recs[k].samples) {
            ASSERT_LT(at, d.m_logValues.size());
            ASSERT_TRUE(holdsSample(d.m_logValues[at], s.count, s.range, s.fc))
                << "sample " << at << ": " << d.m_logValues[at] << " for count " << s.count
                << " range " << s.range << (s.fc ? " FC" : " lux");
            ++at;
        }
    }
    EXPECT_EQ(d.m_logRecStart.back(), static_cast<int>(at));
}

}  // namespace

TEST(Datalogger, ExactBlocksNeedTheEventsTheThresholdsAskFor) {
    const std::pair<int, std::vector<int>> cases[] = {
        {7999, {5, 7999}},
        {8000, {5, 8000}},
        {8001, {5, 8000, 1}},
        {16000, {5, 8000, 8000}},
    };
    for (const auto& [n, events] : cases) {
        SCOPED_TRACE(n);
        // The line hands over exactly what each threshold asks for.
        Download d(n, {5, 8000, 8000, 8000, 8000});
        ASSERT_TRUE(d.finish());
        EXPECT_EQ(d.h.comm.eventSizes(), events);
        EXPECT_EQ(d.h.model.frame.m_logByteCount, n);
        EXPECT_EQ(d.h.model.g.g_logReceived, n);
        expectDocumentHolds(d.h);
        EXPECT_EQ(d.h.model.view.m_logDataNew, 1);
        EXPECT_TRUE(d.h.model.frame.mode.liveMode());
        EXPECT_FALSE(d.h.model.frame.mode.logPending());
        EXPECT_EQ(d.h.comm.GetRThreshold(), 19);
        EXPECT_EQ(d.h.model.view.m_lcdBanner, "        ");
    }
}

TEST(Datalogger, UnevenArrivalStillGivesTheWholeStream) {
    for (int n : {7999, 8000, 8001, 16000, 64000}) {
        SCOPED_TRACE(n);
        Download d(n, {1, 7, 300, 13, 4096, 2, 999, 64, 5000});
        ASSERT_TRUE(d.finish());
        EXPECT_EQ(d.h.model.g.g_logReceived, n);
        expectDocumentHolds(d.h);
        EXPECT_EQ(d.h.ui.progressOpens, 1);
        EXPECT_TRUE(d.h.ui.messages.isEmpty());
    }
}

TEST(Datalogger, SixtyFourThousandBytesTakeAboutAMinuteOfLineTime) {
    Download d(64000, {64});
    const qint64 start = d.h.clock.nowMs();
    ASSERT_TRUE(d.finish());
    const double secs = (d.h.clock.nowMs() - start) / 1000.0;
    EXPECT_NEAR(secs, 0.2 + 64005 * 10.0 / 9600.0, 0.5);
}

TEST(Datalogger, AnEmptyDataloggerReturnsToLivePolling) {
    Download d(0, {64});
    ASSERT_TRUE(d.finish());
    EXPECT_EQ(d.h.ui.messages, QStringList({"There is no data on the RAM!"}));
    EXPECT_TRUE(d.h.model.frame.mode.liveMode());
    EXPECT_FALSE(d.h.model.frame.mode.logPending());
    EXPECT_EQ(d.h.model.view.m_logDataNew, 0);
    const int polls = d.h.meter.pollCount();
    d.h.clock.advance(500);
    EXPECT_GT(d.h.meter.pollCount(), polls);  // reopen-and-poll restarted the loop
}

TEST(Datalogger, AStreamThatStopsLeavesTheDownloadPending) {
    sim::Scenario s = streamOf(8001);
    s.faults.streamStopAfter = 5000;
    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(100);
    h.link.startLogDownload();
    h.clock.advance(20000);
    EXPECT_TRUE(h.model.frame.mode.logPending());
    EXPECT_FALSE(h.model.frame.mode.logReady());
    // What came is stored or still buffered, waiting for a threshold that is never reached.
    EXPECT_EQ(h.model.g.g_logReceived + h.comm.GetInBufferCount(), 5000);
    EXPECT_EQ(h.model.doc.m_logRecordCount, 0);
}

TEST(Datalogger, BytesBeyondTheAnnouncedCountAreDropped) {
    FakeLink t;
    t.model.frame.mode.beginLogDownload();
    QByteArray header = bytes({0xAA, 0xCC, 0x00, 0x00, 19});
    QByteArray stream = bytes(
        {0xAA, 0x56, 0, 2, 0, 0, 0x26, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 10, 0, 0x02, 40, 0, 0x02});
    t.comm.deliver(header + stream + bytes({0xAA, 0x56, 0xAA, 0x56, 1, 2, 3}));
    EXPECT_EQ(t.model.g.g_logReceived, 19);
    ASSERT_EQ(t.model.doc.m_logRecordCount, 1);
    ASSERT_EQ(t.model.doc.m_logRecStart, (std::vector<int>{0, 2}));
    EXPECT_FLOAT_EQ(t.model.doc.m_logValues[0], 1000.0f);
    EXPECT_EQ(t.model.doc.m_logValues[1], kOverRange);  // 4000 counts: at the limit is OL
    EXPECT_EQ(t.model.doc.m_logStartTimes[0], (MeterDateTime{2026, 1, 2, 3, 4, 5}));
    EXPECT_GE(t.model.doc.m_logValues.size(), 19u);  // one float per downloaded byte
}

namespace {
// A link that has seen a live frame (battery "Normal", link up) and has sent the datalogger
// request.
struct RequestedLog : FakeLink {
    RequestedLog() {
        live.measured = live.displayed = 1234;
        frame(live);
        link.startLogDownload();
        clock.advance(200);  // timer 2 sends 0x13; the poll the frame scheduled went out before
    }
    FrameSpec live;
};
}  // namespace

// While a download runs the live mode is off, so a live frame (the answer to a poll
// that crossed the request) is neither decoded nor polled on, and the datalogger step takes
// only a header from the idle phase. The header that follows starts the download as usual.
TEST(Datalogger, ALiveFrameBeforeTheHeaderIsIgnored) {
    RequestedLog t;
    ASSERT_EQ(t.comm.sent.back(), bytes({0x13}));
    ASSERT_TRUE(t.model.frame.mode.logPending());
    ASSERT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    const int progressOpens = t.ui.progressOpens;
    FrameSpec late;
    late.measured = late.displayed = 3000;
    t.frame(late);
    EXPECT_EQ(t.view().m_lcdValue, "1234");
    EXPECT_FLOAT_EQ(t.model.doc.m_readings[0], 1234.0f);
    EXPECT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    EXPECT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerOpenProgress));
    EXPECT_EQ(t.model.g.g_logPhase, LogPhase::Idle);
    EXPECT_EQ(t.model.g.g_logReceived, 0);
    EXPECT_EQ(t.model.frame.m_logByteCount, 0);
    EXPECT_FALSE(t.model.frame.mode.liveMode());
    EXPECT_TRUE(t.model.frame.mode.logPending());

    t.comm.deliver(bytes({0xAA, 0xCC, 0x00, 0x00, 19}));
    EXPECT_EQ(t.model.frame.m_logByteCount, 19);
    EXPECT_EQ(t.view().m_lcdBanner, "DownLoad");
    t.comm.deliver(bytes(
        {0xAA, 0x56, 0, 2, 0, 0, 0x26, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 10, 0, 0x02, 20, 0, 0x02}));
    EXPECT_TRUE(t.model.frame.mode.logReady());
    EXPECT_TRUE(t.model.frame.mode.liveMode());
    ASSERT_EQ(t.model.doc.m_logRecStart, (std::vector<int>{0, 2}));
    EXPECT_FLOAT_EQ(t.model.doc.m_logValues[0], 1000.0f);
    EXPECT_FLOAT_EQ(t.model.doc.m_logValues[1], 2000.0f);
    t.clock.advance(10);
    EXPECT_EQ(t.ui.progressOpens, progressOpens + 1);
    EXPECT_EQ(t.view().m_lcdValue, "1234");  // the live display never saw the late frame
}

// Once the header has come, data are stream bytes even when an event begins 0xAA 0xCC: here
// the 8000-byte block ends inside a sample whose last two bytes are 0xAA 0xCC, so the
// remainder event begins with them. The announced count and the received bytes stand.
TEST(Datalogger, ASecondHeaderPairDuringADownloadIsStreamData) {
    RequestedLog t;
    const int n = 8005;  // 13 header bytes and 2664 samples
    QByteArray stream = bytes({0xAA, 0x56, 0, 1, 0, 0, 0x26, 0, 0x03, 0x04, 0x10, 0x20, 0x30});
    for (int k = 0; k < 2662; ++k) stream += bytes({k % 40, k % 100, 0x02});
    stream += bytes({0x00, 0xAA, 0xCC});  // 170 counts, range 0, foot-candles
    stream += bytes({0x00, 0x00, 0x13});  // read as a header: a count of 0x00 0x13 = 19
    ASSERT_EQ(stream.size(), n);
    ASSERT_EQ(stream.mid(8000, 2), bytes({0xAA, 0xCC}));

    t.comm.deliver(bytes({0xAA, 0xCC, 0x00, n >> 8, n & 0xFF}));
    ASSERT_EQ(t.model.frame.m_logByteCount, n);
    EXPECT_EQ(t.comm.threshold, 8000);
    t.comm.deliver(stream.left(8000));
    EXPECT_EQ(t.comm.threshold, 5);
    EXPECT_EQ(t.model.g.g_logReceived, 8000);
    t.comm.deliver(stream.mid(8000));
    EXPECT_EQ(t.model.frame.m_logByteCount, n);
    EXPECT_EQ(t.model.g.g_logReceived, n);
    ASSERT_TRUE(t.model.frame.mode.logReady());
    EXPECT_FALSE(t.model.frame.mode.logPending());
    ASSERT_EQ(t.model.doc.m_logRecordCount, 1);
    ASSERT_EQ(t.model.doc.m_logRecStart, (std::vector<int>{0, 2664}));
    EXPECT_FLOAT_EQ(t.model.doc.m_logValues[2662], static_cast<float>(170 * 100 * 1.076));
    EXPECT_FLOAT_EQ(t.model.doc.m_logValues[2663], 0.0f);  // 0 counts, range 3
    EXPECT_EQ(t.model.doc.m_logRecGain, std::vector<int>{4000});
}

// A stream that stops below the threshold leaves its last bytes in the serial control, and
// reopening the port discards them: the time-out first takes them, up to the announced count,
// so every byte that came is in g_logBuffer. 300 of 566 bytes (no whole block), and 12000 of
// 20000 (one 8000-byte block and 4000 more).
TEST(Datalogger, AStreamGivenUpKeepsEveryByteThatCame) {
    for (const auto& [announced, inBlocks, held] :
         {std::tuple{566, 0, 300}, std::tuple{20000, 8000, 4000}}) {
        SCOPED_TRACE(announced);
        RequestedLog t;
        t.comm.deliver(bytes({0xAA, 0xCC, 0x00, announced >> 8, announced & 0xFF}));
        t.clock.advance(10);  // main-frame timer 1 opens the window, which paints
        ASSERT_TRUE(t.session.progress().shown());
        QByteArray came;
        for (int i = 0; i < inBlocks + held; ++i) came.append(static_cast<char>(i * 7 + i / 256));
        if (inBlocks > 0) t.comm.deliver(came.left(inBlocks));
        ASSERT_EQ(t.model.g.g_logReceived, inBlocks);
        t.comm.buffer = came.mid(inBlocks);  // below the threshold: no event
        t.comm.ops.clear();
        t.clock.advance((announced + 157) / 158 * 500 + 15000);
        ASSERT_FALSE(t.model.frame.mode.logPending());
        EXPECT_EQ(t.model.frame.m_logByteCount, announced);
        EXPECT_EQ(t.model.g.g_logReceived, inBlocks + held);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(t.model.g.g_logBuffer.data()),
                             inBlocks + held),
                  came);
        // The held bytes are read, then the port is closed and reopened.
        EXPECT_EQ(t.comm.ops.mid(0, 3).join(", ").toStdString(), "Input, PortOpen=0, CommPort=1");
        EXPECT_EQ(t.model.doc.m_logRecordCount, 0);  // nothing is parsed from a cut stream
    }
}

// Every count in both units and all four ranges, one sample each: the value and the record's
// division value of the meter's range table.
TEST(LogParse, EveryCountOfEveryRangeAgainstTheMetersLimit) {
    for (int range = 0; range < 4; ++range) {
        for (bool fc : {false, true}) {
            SCOPED_TRACE(testing::Message() << "code " << range << (fc ? " FC" : " lux"));
            QByteArray s = bytes({0xAA, 0x56, 0, 1, fc ? 1 : 0, 0, 0x26, 0, 1, 1, 0, 0, 0});
            for (int count = 0; count <= 9999; ++count)
                s += bytes({count / 100, count % 100, range | (fc ? 0x04 : 0)});
            const LogRecords r = parseLogStream(reinterpret_cast<const uint8_t*>(s.constData()),
                                                static_cast<size_t>(s.size()));
            ASSERT_EQ(r.recordCount(), 1);
            ASSERT_EQ(r.values.size(), 10000u);
            EXPECT_EQ(r.gains, std::vector<int>{kLogDivisions[range]});
            QStringList wrong;
            for (int count = 0; count <= 9999 && wrong.size() < 10; ++count)
                if (!holdsSample(r.values[static_cast<size_t>(count)], count, range, fc))
                    wrong << QStringLiteral("count %1: %2")
                                 .arg(count)
                                 .arg(double(r.values[static_cast<size_t>(count)]), 0, 'g', 9);
            EXPECT_TRUE(wrong.isEmpty()) << wrong.join('\n').toStdString();
        }
    }
}

TEST(LogParse, MarkersHeadersAndSampleBoundaries) {
    // A doubled marker counts once; a header must be followed by a whole sample.
    QByteArray s =
        bytes({0xAA, 0x56, 0xAA, 0x56, 0, 1, 0,    0, 0x26, 0, 1, 1, 0, 0, 0,  // 15
               1,    0,    0x01,  // sample: 100 counts x 0.1 = 10 lux
               0xAA, 0x56, 0,    5,    1, 0, 0x26, 0, 2,    2, 0, 0, 0,  // 13, no samples
               0,    0,                                                  // too short for a sample
               0xAA, 0x56, 0,    9,    0, 0, 0x26, 0, 3,    3, 0, 0, 0,  // 13
               2,    50,   0x06,  // 250 counts x 1 x 1.076, in FC
               7,    7});         // trailing bytes, not a sample
    const auto* d = reinterpret_cast<const uint8_t*>(s.constData());
    const LogRecords r = parseLogStream(d, static_cast<size_t>(s.size()));
    EXPECT_EQ(r.markerCount, 3);
    ASSERT_EQ(r.recordCount(), 3);
    // The doubled marker's second half at 2 is the accepted header of the first record.
    EXPECT_EQ(r.rates, (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(r.units, (std::vector<uint8_t>{0, 1, 0}));
    EXPECT_EQ(r.recStart, (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(r.gains, (std::vector<int>{40, 0, 400}));
    EXPECT_FLOAT_EQ(r.values[0], 10.0f);
    EXPECT_FLOAT_EQ(r.values[1], static_cast<float>(250.0f * 1.076));
}

TEST(LogParse, NoHeaderGivesNoRecords) {
    const uint8_t junk[] = {0xAA, 0x56, 1, 2, 3};
    const LogRecords r = parseLogStream(junk, sizeof junk);
    EXPECT_EQ(r.recordCount(), 0);
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.recStart, (std::vector<int>{0}));
    EXPECT_EQ(parseLogStream(nullptr, 0).recordCount(), 0);
}
