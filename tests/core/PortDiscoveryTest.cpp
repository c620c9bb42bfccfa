// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "FakeSerial.h"
#include "LinkHarness.h"
#include "core/link/PortDiscovery.h"
#ifndef _WIN32
#include "core/link/SysfsBridgeLookup.h"
#endif
#include "core/realtime/Acquisition.h"

using namespace km905;
using namespace km905::test;

namespace {
struct Discovering : LinkHarness {
    Discovering() : discovery(session.discovery()) {}
    PortDiscovery& discovery;
};
}  // namespace

TEST(PortDiscovery, NoBridgeChangesNothing) {
    Discovering d;
    d.model.frame.m_comPort = 3;
    d.discovery.schedule();
    d.clock.advance(5000);
    EXPECT_EQ(d.model.frame.m_comPort, 3);
    EXPECT_TRUE(d.comm.sent().empty());
    EXPECT_FALSE(d.clock.isTimerActive(TimerOwner::MainFrame, kTimerDiscovery));
}

TEST(PortDiscovery, ABridgeAtCom7MovesTheLinkAboutASecondLater) {
    Discovering d;
    d.comm.setMeterPort(7);
    d.bridges.bySlot[2] = 7;
    d.model.frame.mode.beginLogDownload();
    d.discovery.schedule();
    d.clock.advance(999);
    EXPECT_EQ(d.model.frame.m_comPort, 1);
    d.clock.advance(1);
    EXPECT_EQ(d.model.frame.m_comPort, 7);
    EXPECT_EQ(d.comm.GetCommPort(), 7);
    EXPECT_TRUE(d.model.frame.mode.liveMode());
    EXPECT_FALSE(d.model.frame.mode.logPending());
    EXPECT_TRUE(d.model.frame.pollArmed());
    ASSERT_FALSE(d.comm.sent().empty());
    EXPECT_EQ(d.comm.sent()[0], bytes({0x11}));
    d.clock.advance(30);
    EXPECT_EQ(d.model.view.m_linkDown, 0);  // the meter answered on its new port
}

TEST(PortDiscovery, ABridgeOver16ShowsTheMessageAndTakesTheLinkDown) {
    Discovering d;
    d.link.reopenAndPoll();
    d.clock.advance(30);
    d.model.view.m_linkDown = 0;
    d.bridges.bySlot[0] = 17;
    d.discovery.schedule();
    d.clock.advance(1000);
    EXPECT_EQ(d.ui.messages, QStringList({kPortOver16Text}));
    EXPECT_EQ(d.model.view.m_linkDown, 1);
    EXPECT_EQ(d.model.frame.m_comPort, 1);
    EXPECT_FALSE(d.comm.GetPortOpen());
    EXPECT_GE(d.ui.faceRepaints, 1);
}

TEST(PortDiscovery, OnlyTheFirstFiveSlotsAreLookedAtAndTheFirstFoundWins) {
    Discovering d;
    d.bridges.bySlot[5] = 9;
    d.discovery.run();
    EXPECT_EQ(d.model.frame.m_comPort, 1);
    for (int s = 0; s < 6; ++s) d.bridges.bySlot[s] = 2 + s;
    d.comm.setMeterPort(2);
    d.discovery.run();
    EXPECT_EQ(d.model.frame.m_comPort, 2);
}

TEST(PortDiscovery, APortInUseKeepsTheNumberForTheWatchdog) {
    Discovering d;
    Acquisition& acq = d.session.acquisition();
    d.comm.setMeterPort(4);
    d.comm.setOpenError(SerialErrorKind::PortInUse, "Port already open");
    d.bridges.bySlot[0] = 4;
    d.discovery.run();
    EXPECT_EQ(d.model.frame.m_comPort, 4);
    EXPECT_FALSE(d.comm.GetPortOpen());
    EXPECT_TRUE(d.ui.messages.isEmpty());
    d.comm.clearOpenError();
    acq.start();
    d.clock.advance(2030);  // the watchdog's first tick re-polls port 4
    EXPECT_EQ(d.model.view.m_linkDown, 0);
    EXPECT_EQ(d.comm.GetCommPort(), 4);
}

TEST(BridgeLookup, ComTextsAndTheCp210xFamily) {
    EXPECT_EQ(portNumberFromComText("COM7"), 7);
    EXPECT_EQ(portNumberFromComText("COM17"), 17);
    EXPECT_EQ(portNumberFromComText("MOC3"), 3);
    EXPECT_EQ(portNumberFromComText("COMX"), 0);
    for (unsigned p : {0xEA60u, 0xEA61u, 0xEA63u, 0xEA70u, 0xEA71u, 0xEA80u})
        EXPECT_TRUE(isCp210x(0x10C4, p));
    EXPECT_FALSE(isCp210x(0x10C4, 0xEA62));
    EXPECT_FALSE(isCp210x(0x0403, 0xEA60));
}

// Linux only: Windows finds the bridge in its registry (tests/windows).
#ifndef _WIN32
TEST(BridgeLookup, SysfsTreeGivesTtyUsbKAsPortKPlusOne) {
    QTemporaryDir root;
    auto device = [&](int k, const char* vid, const char* pid) {
        const QString usb = root.filePath(QString("devices/usb1/1-%1").arg(k));
        const QString intf = usb + QString("/1-%1:1.0").arg(k);
        QDir().mkpath(intf);
        QDir().mkpath(root.filePath(QString("class/tty/ttyUSB%1").arg(k)));
        QFile v(usb + "/idVendor"), p(usb + "/idProduct");
        ASSERT_TRUE(v.open(QIODevice::WriteOnly) && p.open(QIODevice::WriteOnly));
        v.write(vid);
        p.write(pid);
        QFile::link(intf, root.filePath(QString("class/tty/ttyUSB%1/device").arg(k)));
    };
    device(0, "0403\n", "6001\n");  // an FTDI adapter, not the meter
    device(10, "10c4\n", "ea71\n");
    device(3, "10c4\n", "ea60\n");
    SysfsBridgeLookup lookup(root.path());
    EXPECT_EQ(lookup.bridgeTtyNumbers(), (std::vector<int>{3, 10}));
    EXPECT_EQ(lookup.bridgePort(0), 4);
    EXPECT_EQ(lookup.bridgePort(1), 11);
    EXPECT_FALSE(lookup.bridgePort(2).has_value());
}
#endif
