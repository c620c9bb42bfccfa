// SPDX-License-Identifier: GPL-3.0-or-later
// The program against km905-sim on a pseudo-terminal, in real time.
#include <gtest/gtest.h>

#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RecordingInteraction.h"
#include "SimProgram.h"
#include "core/app/Settings.h"
#include "core/link/QtTimerService.h"
#include "core/session/Unattended.h"
#include "report/FontSetup.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/panel/CMeterPanelDlg.h"
#include "ui/realtime/CDTView.h"

using namespace km905;

using km905::test::waitFor;

namespace {}  // namespace

TEST(Program, MirrorsTheMeterAndEndsTheLinkOnClose) {
    test::SimProgram meter("level const 1234\nrange 2\n");
    ASSERT_TRUE(meter.ready());
    QProcess& sim = meter.process();

    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    test::RecordingInteraction ui;
    {
        CMainFrame frame({comm, timers, bridges, ui, meter.settings()});
        frame.resize(1200, 800);
        frame.show();
        ASSERT_TRUE(waitFor([&] { return frame.model().view.m_lcdValue == "1234"; }, 10000));
        EXPECT_EQ(frame.model().view.m_lcdUnit, "Lux");
        EXPECT_EQ(frame.model().view.m_linkDown, 0);
        // The loop keeps polling by itself.
        EXPECT_TRUE(waitFor([&] { return sim.peek(1 << 20).count("poll") >= 5; }, 10000));
        const QImage face = frame.view()->meterPanel()->grab().toImage();
        int dark = 0;
        for (int y = 200; y < 245; ++y)
            for (int x = 80; x < 166; ++x) dark += qGray(face.pixel(x, y)) < 60 ? 1 : 0;
        EXPECT_GT(dark, 200);  // the number on the LCD
        frame.close();
    }
    ASSERT_TRUE(waitFor([&] { return sim.peek(1 << 20).contains("key end of link"); }, 5000));
    QFile ini(meter.settings().iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), "[COMInfo]\r\nCOM num=1\r\n");
}

TEST(Program, ARecordingIsSavedAndReadsBackWithTheCli) {
    test::SimProgram meter;
    ASSERT_TRUE(meter.ready());
    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    test::RecordingInteraction ui;
    const QString saved = meter.home("office.AsmDat");
    {
        CMainFrame frame({comm, timers, bridges, ui, meter.settings()});
        frame.resize(1200, 800);
        frame.show();
        ASSERT_TRUE(waitFor([&] { return frame.model().rec.canRun(); }, 10000));
        ui.rateAnswers = {1};
        frame.trigger(kCmdRun);
        ASSERT_TRUE(waitFor([&] { return frame.model().view.m_sampleIndex >= 3; }, 15000));
        frame.trigger(kCmdStop);
        ui.fileAnswers = {saved};
        frame.trigger(kCmdSave);
        ui.answers = {false};  // no second save on closing
        frame.close();
    }
    QProcess cli;
    cli.setProcessEnvironment(meter.environment());
    cli.start(KM905_CLI_BINARY, {"info", saved});
    ASSERT_TRUE(cli.waitForFinished(5000));
    const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains("kind:       graph file (AsmDat)")) << out.toStdString();
    EXPECT_TRUE(out.contains("interval:   1 s"));
    EXPECT_TRUE(out.contains("unit:       lux"));
    EXPECT_TRUE(QFile::exists(meter.home("office.csv")));
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
