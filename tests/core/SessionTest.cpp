// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "LinkHarness.h"
#include "TestData.h"
#include "core/app/Settings.h"

using namespace km905;
using namespace km905::test;

namespace {
// The session on the simulated meter; each harness has a fresh data folder.
class Sessions : public testing::Test {
  protected:
    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// The port from the settings file; the device folder is not watched without an event loop.
const SessionStart kNoWatch{.port = std::nullopt, .watchDevices = false};
const QByteArray kEndOfLink = bytes({0x87, 0x83, 0x15});
constexpr int kRel = 1047;  // a key that waits 100 ms for a double-click
}  // namespace

TEST_F(Sessions, StartPollsAt9600AndRunsTheLoop) {
    LinkHarness h(steadyScenario(250));
    h.comm.SetSettings(QString());
    EXPECT_TRUE(h.session.start(kNoWatch));
    EXPECT_EQ(h.comm.settings(), "9600,n,8,1");
    ASSERT_EQ(h.comm.sent().size(), 1u);
    EXPECT_EQ(h.comm.sent()[0], bytes({0x11}));
    EXPECT_EQ(h.clock.timerPeriod(TimerOwner::MainFrame, 5), 1000);  // port discovery
    EXPECT_EQ(h.clock.timerPeriod(TimerOwner::View, 2), 2000);       // watchdog
    h.clock.advance(1000);
    EXPECT_EQ(h.model.view.m_linkDown, 0);
    EXPECT_GE(h.meter.pollCount(), 10);  // the answers bring the next polls
}

TEST_F(Sessions, TheCloseSequenceLeavesNoTimerRunning) {
    LinkHarness h(steadyScenario(250));
    h.session.start(kNoWatch);
    h.clock.advance(500);
    // A recording runs, a key press waits for its double-click, a zoom drag is watched.
    h.dialogs.rateAnswers = {1};
    h.session.commands().run();
    h.session.graphPainted();
    h.clock.advance(1150);
    ASSERT_EQ(h.model.view.m_sampleIndex, 2);
    int dragTicks = 0;
    h.session.onDragWatchTick = [&] { ++dragTicks; };
    h.session.setDragWatch(true);
    h.session.keys().click(kRel);
    h.clock.advance(30);
    ASSERT_EQ(dragTicks, 3);

    h.session.closeSequence();
    ASSERT_FALSE(h.comm.sent().empty());
    EXPECT_EQ(h.comm.sent().back(), kEndOfLink);
    const size_t sent = h.comm.sent().size();
    h.clock.advance(10000);
    EXPECT_EQ(h.comm.sent().size(), sent);  // not a byte after the end of the link
    ASSERT_FALSE(h.meter.commandLog().empty());
    EXPECT_EQ(h.meter.commandLog().back(), "key end of link");
    EXPECT_EQ(dragTicks, 3);
    EXPECT_EQ(h.model.view.m_sampleIndex, 2);
    EXPECT_EQ(fileBytes(h.data.settings().iniPath()), "[COMInfo]\r\nCOM num=1\r\n");
}

TEST_F(Sessions, TheCloseSequenceStopsEveryWindowsTimersWhateverTheirIds) {
    LinkHarness h;
    h.session.start(kNoWatch);
    int loggerTicks = 0;
    h.session.onLoggerTimer = [&](int) { ++loggerTicks; };
    for (TimerOwner owner : {TimerOwner::MainFrame, TimerOwner::View, TimerOwner::Panel,
                             TimerOwner::Progress, TimerOwner::Logger})
        for (int id : {1, 2, 3, 4, 5, 6, 99}) h.clock.setTimer(owner, id, 100000);
    h.clock.setTimer(TimerOwner::Logger, 4, 10);
    h.clock.advance(10);
    ASSERT_EQ(loggerTicks, 1);
    h.session.closeSequence();
    for (TimerOwner owner : {TimerOwner::MainFrame, TimerOwner::View, TimerOwner::Panel,
                             TimerOwner::Progress, TimerOwner::Logger})
        for (int id : {1, 2, 3, 4, 5, 6, 99})
            EXPECT_FALSE(h.clock.isTimerActive(owner, id))
                << "owner " << static_cast<int>(owner) << " id " << id;
    h.clock.advance(10000);
    EXPECT_EQ(loggerTicks, 1);
}

TEST_F(Sessions, AClosedSessionOffersNothingAndClosesOnce) {
    LinkHarness h(steadyScenario(250));
    h.session.start(kNoWatch);
    h.clock.advance(300);
    h.session.closeSequence();
    const size_t sent = h.comm.sent().size();
    h.session.closeSequence();
    EXPECT_EQ(h.comm.sent().size(), sent);
    EXPECT_EQ(h.session.offerSaveBeforeClose(), MainCommands::CloseOffer::NotAsked);
    h.bridges.bySlot[0] = 1;
    h.session.devicesChanged();
    h.clock.advance(5000);
    EXPECT_EQ(h.comm.sent().size(), sent);  // no discovery reopens the port
}

TEST_F(Sessions, AGivenPortLeavesTheSettingsFileAlone) {
    LinkHarness h(steadyScenario(250));
    h.comm.setMeterPort(3);
    EXPECT_TRUE(h.session.start({.port = 3, .watchDevices = false}));
    EXPECT_EQ(h.comm.GetCommPort(), 3);
    h.clock.advance(300);
    EXPECT_EQ(h.model.view.m_linkDown, 0);
    h.session.closeSequence();
    EXPECT_EQ(h.comm.sent().back(), kEndOfLink);
    EXPECT_FALSE(QFile::exists(h.data.settings().iniPath()));
}

TEST_F(Sessions, APortForOneRunKeepsTheYScaleAndLeavesTheFileAsItWas) {
    const QByteArray ini =
        "[COMInfo]\r\nCOM num=1\r\n[YGAINInfo]\r\nGAIN num=3\r\n[YOFFSETInfo]\r\nOFFSET num=2\r\n";
    LinkHarness h(steadyScenario(250));
    putFile(h.data.settings().iniPath(), ini);
    h.comm.setMeterPort(3);
    EXPECT_TRUE(h.session.start({.port = 3, .watchDevices = false, .yScaleFromSettings = true}));
    EXPECT_EQ(h.comm.GetCommPort(), 3);
    EXPECT_EQ(h.model.view.m_yGain, 4000);
    EXPECT_EQ(h.model.view.m_yOffset, 4);
    h.clock.advance(300);
    EXPECT_EQ(h.model.view.m_linkDown, 0);
    h.session.closeSequence();
    EXPECT_EQ(h.comm.sent().back(), kEndOfLink);
    EXPECT_EQ(fileBytes(h.data.settings().iniPath()), ini);
}

TEST_F(Sessions, TheCloseEndsTheJournalOfTheRecording) {
    LinkHarness h(steadyScenario(250));
    h.session.start(kNoWatch);
    h.clock.advance(200);
    h.dialogs.rateAnswers = {1};
    h.session.commands().run();
    h.session.graphPainted();
    h.clock.advance(1150);
    ASSERT_TRUE(h.journal.bytes);
    h.dialogs.answers = {false};  // no save
    EXPECT_EQ(h.session.offerSaveBeforeClose(), MainCommands::CloseOffer::Declined);
    EXPECT_TRUE(h.journal.bytes);
    h.session.closeSequence();
    EXPECT_FALSE(h.journal.bytes);
}
