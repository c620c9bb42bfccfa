// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FakeSerial.h"

using namespace km905;
using namespace km905::test;

TEST(PortOperations, ReopenAndPollSequence) {
    FakeLink t;
    t.model.frame.m_comPort = 3;
    EXPECT_TRUE(t.link.reopenAndPoll());
    EXPECT_EQ(t.comm.ops,
              QStringList({"PortOpen=0", "CommPort=3", "PortOpen=1", "Input", "InBufferCount=0",
                           "OutBufferCount=0", "RThreshold=19", "InputMode=1", "InputLen=0",
                           "InBufferCount=0", "Output=11", "OutBufferCount=0"}));
}

TEST(PortOperations, ReopenAndPollGivesUpSilentlyWhenThePortWillNotOpen) {
    FakeLink t;
    t.comm.open = false;
    t.comm.failOpen = SerialError(SerialErrorKind::PortInUse, "Port already open");
    EXPECT_FALSE(t.link.reopenAndPoll());
    EXPECT_EQ(t.comm.ops, QStringList({"CommPort=1", "PortOpen=1 failed"}));
    EXPECT_TRUE(t.comm.sent.empty());
    EXPECT_TRUE(t.ui.messages.isEmpty());
}

TEST(PortOperations, DownloadRequestsAndTheirThresholds) {
    for (bool logger : {true, false}) {
        FakeLink t;
        t.link.requestDownload(logger);
        EXPECT_EQ(t.comm.ops,
                  QStringList({"PortOpen=0", "PortOpen=1", "Input", "InBufferCount=0",
                               "OutBufferCount=0", logger ? "RThreshold=5" : "RThreshold=1352",
                               logger ? "Output=13" : "Output=12"}));
    }
}

TEST(PortOperations, EndOfLinkAndKeyCommands) {
    FakeLink t;
    t.link.sendEndOfLink();
    EXPECT_EQ(t.comm.ops, QStringList({"PortOpen=0", "PortOpen=1", "InputLen=0", "InBufferCount=0",
                                       "OutBufferCount=0", "Output=87 83 15"}));
    t.comm.ops.clear();
    t.comm.open = false;
    t.link.sendThree(0x87, 0x83, 0xEF);  // a closed port drops the bytes
    EXPECT_TRUE(t.comm.ops.isEmpty());
    t.comm.open = true;
    t.link.sendThree(0x87, 0x83, 0xDB);
    EXPECT_EQ(t.comm.ops, QStringList({"Output=87 83 db"}));
}

TEST(PortOperations, EndOfLinkSwallowsErrors) {
    FakeLink t;
    t.comm.open = false;
    t.comm.failOpen = SerialError(SerialErrorKind::InvalidPort, "Invalid port number");
    EXPECT_NO_THROW(t.link.sendEndOfLink());
    EXPECT_TRUE(t.comm.sent.empty());
}

TEST(Downloads, DataloggerCommandRequestsAfter200ms) {
    FakeLink t;
    t.model.view.m_batteryText = "Normal";
    t.model.view.m_linkDown = 0;
    t.link.startLogDownload();
    const LinkState& f = t.model.frame;
    EXPECT_TRUE(f.mode.logPending());
    EXPECT_FALSE(f.mode.liveMode());
    EXPECT_EQ(t.model.view.m_logListPending, 1);
    EXPECT_EQ(t.model.g.g_logPhase, LogPhase::Idle);
    EXPECT_EQ(t.model.g.g_logBlocks, -1);
    t.clock.advance(199);
    EXPECT_TRUE(t.comm.sent.empty());
    t.clock.advance(1);
    ASSERT_EQ(t.comm.sent.size(), 1u);
    EXPECT_EQ(t.comm.sent[0], bytes({0x13}));
    EXPECT_EQ(t.comm.threshold, 5);
    t.clock.advance(5000);
    EXPECT_EQ(t.comm.sent.size(), 1u);  // one-shot
}

TEST(Downloads, MemoryCommandOpensProgressAndRequestsAfter1s) {
    FakeLink t;
    t.model.view.m_batteryText = "Normal";
    t.model.view.m_linkDown = 0;
    t.link.startMemDownload();
    EXPECT_EQ(t.model.frame.m_logByteCount, 2000);
    EXPECT_EQ(t.model.view.m_lcdBanner, "DownLoad");
    EXPECT_TRUE(t.model.frame.mode.memWanted());
    t.clock.advance(10);
    EXPECT_EQ(t.ui.progressOpens, 1);
    t.clock.advance(989);
    EXPECT_TRUE(t.comm.sent.empty());
    t.clock.advance(1);
    ASSERT_EQ(t.comm.sent.size(), 1u);
    EXPECT_EQ(t.comm.sent[0], bytes({0x12}));
    EXPECT_EQ(t.comm.threshold, 1352);
}

TEST(Downloads, LowBatteryOrLinkDownBlockBothCommands) {
    for (bool logger : {true, false}) {
        FakeLink t;
        t.model.view.m_batteryText = "Low";
        t.model.view.m_linkDown = 0;
        logger ? t.link.startLogDownload() : t.link.startMemDownload();
        EXPECT_EQ(t.ui.messages,
                  QStringList({"Power is low,please change another battery to try again!"}));
        EXPECT_TRUE(t.model.frame.mode.liveMode());

        FakeLink u;
        u.model.view.m_batteryText = "Normal";
        u.model.view.m_linkDown = 1;
        logger ? u.link.startLogDownload() : u.link.startMemDownload();
        EXPECT_TRUE(u.ui.messages.isEmpty());
        EXPECT_TRUE(u.comm.ops.isEmpty());
        EXPECT_TRUE(u.model.frame.mode.liveMode());
    }
}

TEST(Downloads, APortThatWillNotOpenEndsTheCommandSilently) {
    FakeLink t;
    t.model.view.m_batteryText = "Normal";
    t.model.view.m_linkDown = 0;
    t.comm.open = false;
    t.comm.failOpen = SerialError(SerialErrorKind::PortInUse, "Port already open");
    t.link.startMemDownload();
    EXPECT_FALSE(t.model.frame.mode.memPending());
    EXPECT_TRUE(t.model.frame.mode.liveMode());
    t.clock.advance(2000);
    EXPECT_EQ(t.ui.progressOpens, 0);
}

TEST(ReceiveEvent, OtherEventsOnlyDiscardTheInput) {
    FakeLink t;
    t.comm.commEvent = 1;
    t.comm.deliver(liveFrame(FrameSpec{}));
    EXPECT_EQ(t.comm.ops, QStringList({"InBufferCount=0"}));
    EXPECT_EQ(t.model.view.m_frameArrived, 0);
}
