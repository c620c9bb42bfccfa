// SPDX-License-Identifier: GPL-3.0-or-later
// The serial control on QSerialPort against km905-sim on a pseudo-terminal, in real time.
#include <gtest/gtest.h>

#include "ScratchFolders.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/link/PortNames.h"
#include "core/link/QtTimerService.h"
#include "core/session/Session.h"
#include "core/session/Unattended.h"
#include "serial/CMSComm.h"

using namespace km905;

using km905::test::waitFor;

namespace {

class PtySim : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("KM905_DEV_DIR", m_dir.path().toLocal8Bit());
        m_sim.setProgram(KM905_SIM_BINARY);
        m_sim.setArguments(QStringList{"--port", "2"} + simArguments());
        m_sim.start();
        ASSERT_TRUE(m_sim.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return m_sim.canReadLine(); }, 5000));
        m_link = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
    }
    void TearDown() override {
        m_sim.terminate();
        m_sim.waitForFinished(3000);
    }
    virtual QStringList simArguments() { return {}; }
    // Everything the simulator has logged so far.
    QString log() {
        m_log += QString::fromLocal8Bit(m_sim.readAllStandardOutput());
        return m_log;
    }

    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_link;
    QString m_log;
};

}  // namespace

// The program's session on the real serial control, as the program builds it.
struct PtySession {
    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    NoUserInteraction dialogs;
    NoJournalFile journal;
    ILinkUi ui;
    test::ScratchData data;
    Session session{{comm, timers, bridges, dialogs, ui, data.settings(), &journal}};
    MeterModel& model = session.model();
    MeterLink& link = session.link();

    bool openPort(int port) {
        model.frame.m_comPort = port;
        comm.SetSettings("9600,n,8,1");
        return link.reopenAndPoll();
    }
};

TEST_F(PtySim, LinksAsTheLinuxNameOfItsPort) {
    EXPECT_EQ(m_link, m_dir.path() + "/ttyUSB1");
    EXPECT_EQ(portDeviceName(2), m_link);
}

TEST_F(PtySim, PollsAreAnsweredAndTheLoopKeepsGoing) {
    PtySession pty;
    MeterModel& model = pty.model;
    MeterLink& link = pty.link;
    ASSERT_TRUE(pty.openPort(2));
    ASSERT_TRUE(waitFor([&] { return model.view.m_frameArrived == 1; }, 3000));
    EXPECT_EQ(model.view.m_linkDown, 0);
    EXPECT_EQ(model.view.m_batteryText, "Normal");
    EXPECT_FALSE(model.view.m_lcdValue.isEmpty());
    EXPECT_EQ(model.view.m_lcdUnit, "Lux");
    // The loop goes on by itself: each answer brings the next poll.
    EXPECT_TRUE(waitFor([&] { return log().count("poll") >= 8; }, 10000)) << log().toStdString();
    link.sendEndOfLink();
    EXPECT_TRUE(waitFor([&] { return log().contains("end of link"); }, 5000));
}

TEST_F(PtySim, ThresholdInputAndDiscards) {
    CMSComm comm;
    int events = 0;
    int got = 0;
    comm.setOnComm([&] {
        ++events;
        got = static_cast<int>(comm.GetInput().size());
    });
    comm.SetCommPort(2);
    comm.SetSettings("9600,n,8,1");
    comm.SetPortOpen(true);
    comm.SetInputMode(1);
    comm.SetInputLen(0);
    comm.SetRThreshold(38);  // two answers
    comm.SetOutput(QByteArray(1, '\x11'));
    ASSERT_TRUE(waitFor([&] { return comm.GetInBufferCount() == 19; }, 5000));
    EXPECT_EQ(events, 0);  // one answer is below the threshold
    comm.SetOutput(QByteArray(1, '\x11'));
    ASSERT_TRUE(waitFor([&] { return events == 1; }, 5000));
    EXPECT_EQ(got, 38);  // Input returns everything buffered

    comm.SetRThreshold(0);
    comm.SetOutput(QByteArray(1, '\x11'));
    ASSERT_TRUE(waitFor([&] { return comm.GetInBufferCount() == 19; }, 5000));
    comm.SetInBufferCount(0);
    EXPECT_EQ(comm.GetInBufferCount(), 0);
    EXPECT_TRUE(comm.GetInput().isEmpty());
    EXPECT_EQ(events, 1);
}

namespace {

// A meter with stored readings: two memory records and two datalogger records, one of them
// in foot-candles above 400 FC.
class PtySimStores : public PtySim {
  protected:
    QStringList simArguments() override {
        const QString path = m_dir.filePath("stores.txt");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(
            "level const 250\n"
            "memory 2026-12-07 10:20:30 250 lux max\n"
            "memory 2026-12-07 10:21:05 50000 fc\n"
            "logger 2026-12-06 08:00:00 2 lux 100 200 300\n"
            "logger 2026-12-06 09:30:00 5 fc 10.76 50000\n");
        return {"--scenario", path};
    }
};

}  // namespace

TEST_F(PtySimStores, MemoryAndDataloggerDownloads) {
    PtySession pty;
    MeterModel& model = pty.model;
    MeterLink& link = pty.link;
    ASSERT_TRUE(pty.openPort(2));
    ASSERT_TRUE(waitFor([&] { return model.view.m_batteryText == "Normal"; }, 3000));

    link.startMemDownload();
    ASSERT_TRUE(waitFor([&] { return model.frame.mode.memReady(); }, 10000)) << log().toStdString();
    const CDTDoc& d = model.doc;
    ASSERT_EQ(d.m_memCount, 2);
    EXPECT_EQ(d.m_memTimes[0], "12/07/26 10:20:30");
    EXPECT_FLOAT_EQ(d.m_memValues[0], 250.0f);  // 2500 counts of 0.1 lux
    EXPECT_EQ(d.m_memModes[0], "Max");
    EXPECT_EQ(d.m_memUnitFC[1], 1);
    EXPECT_FLOAT_EQ(d.m_memValues[1], 50034.0f);  // 4.65 KFC: 465 counts x 100 x 1.076

    link.startLogDownload();
    ASSERT_TRUE(waitFor([&] { return model.frame.mode.logReady(); }, 10000)) << log().toStdString();
    ASSERT_EQ(d.m_logRecordCount, 2);
    EXPECT_EQ(d.m_logStartTimes[0], (MeterDateTime{2026, 12, 6, 8, 0, 0}));
    EXPECT_EQ(d.m_logStartTimes[1], (MeterDateTime{2026, 12, 6, 9, 30, 0}));
    EXPECT_EQ(d.m_logRecRate, (std::vector<int>{2, 5}));
    EXPECT_EQ(d.m_logRecUnit, (std::vector<uint8_t>{0, 1}));
    EXPECT_EQ(d.m_logRecStart, (std::vector<int>{0, 3, 5}));
    ASSERT_GE(d.m_logValues.size(), 5u);
    const float lux[5] = {100.0f, 200.0f, 300.0f, 10.76f, 50034.0f};
    for (int k = 0; k < 5; ++k) EXPECT_FLOAT_EQ(d.m_logValues[k], lux[k]) << k;
    EXPECT_TRUE(log().contains("memory download request"));
    EXPECT_TRUE(log().contains("datalogger download request"));
}

TEST_F(PtySim, AMissingPortIsAnInvalidPortNumber) {
    CMSComm comm;
    comm.SetCommPort(5);
    try {
        comm.SetPortOpen(true);
        FAIL() << "opened a port that is not there";
    } catch (const SerialError& e) {
        EXPECT_EQ(e.description(), "Invalid port number");
        EXPECT_EQ(e.kind(), SerialErrorKind::InvalidPort);
    }
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(comm.lastOpenError(), "Invalid port number");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
