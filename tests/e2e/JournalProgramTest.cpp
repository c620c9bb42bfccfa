// SPDX-License-Identifier: GPL-3.0-or-later
// A recording survives the program being killed: the program against km905-sim on a
// pseudo-terminal, in real time. The recording runs in a child process (this test program
// started again with --record), which is killed with SIGKILL.
#include <gtest/gtest.h>

#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "RecordingInteraction.h"
#include "SimProgram.h"
#include "core/link/QtTimerService.h"
#include "core/session/Unattended.h"
#include "report/FontSetup.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/realtime/CDTView.h"

using namespace km905;

using km905::test::waitFor;

namespace {

// The child: the main window on the data folder given, Run at one second, then recording until
// it is killed.
int recordUntilKilled(const QString& dataFolder) {
    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    test::RecordingInteraction ui;
    const Settings settings(dataFolder);
    CMainFrame frame({comm, timers, bridges, ui, settings});
    frame.resize(1200, 800);
    frame.show();
    if (!waitFor([&] { return frame.model().rec.canRun(); }, 10000)) return 2;
    ui.rateAnswers = {1};
    frame.trigger(kCmdRun);
    QTimer::singleShot(60000, [] { QApplication::exit(3); });  // never outlives a lost parent
    return QApplication::exec();
}

}  // namespace

TEST(ProgramCrash, ARecordingKilledMidwayIsRestoredAndSaved) {
    test::SimProgram meter;
    ASSERT_TRUE(meter.ready());

    const QString journal = meter.home("Documents/KM905/KM905-recording.journal");
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.setProcessEnvironment(meter.environment());
    child.start(QCoreApplication::applicationFilePath(),
                {"--record", meter.settings().dataFolder()});
    ASSERT_TRUE(child.waitForStarted(5000));
    // A 22-byte header, then 10 bytes a sample: wait for three samples.
    ASSERT_TRUE(waitFor([&] { return QFileInfo(journal).size() >= 52; }, 20000));
    child.kill();  // SIGKILL: nothing of the program's own runs any more
    ASSERT_TRUE(child.waitForFinished(5000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    const qint64 size = QFileInfo(journal).size();
    const int samples = static_cast<int>((size - 22) / 10);
    ASSERT_GE(samples, 3);

    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    test::RecordingInteraction ui;
    ui.answers = {true};  // restore it
    const QString saved = meter.home("restored.AsmDat");
    {
        CMainFrame frame({comm, timers, bridges, ui, meter.settings()});
        frame.resize(1200, 800);
        frame.show();
        ASSERT_TRUE(waitFor([&] { return !ui.questions.isEmpty(); }, 5000));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^A recording was interrupted on "
                                                      "\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d "
                                                      "with %1 samples\\. Restore it\\?$")
                                           .arg(samples))
                        .match(ui.questions.value(0))
                        .hasMatch())
            << ui.questions.value(0).toStdString();
        ASSERT_TRUE(waitFor([&] { return frame.model().view.m_sampleIndex == samples; }, 5000));
        frame.updateCommands();
        EXPECT_TRUE(frame.action(kCmdSave)->isEnabled());
        EXPECT_TRUE(frame.action(kCmdPrint)->isEnabled());
        EXPECT_EQ(frame.model().view.m_sampleRateText, "1");
        EXPECT_TRUE(QFile::exists(journal));  // until the restored recording is saved
        ui.fileAnswers = {saved};
        frame.trigger(kCmdSave);
        EXPECT_FALSE(QFile::exists(journal));
        ui.answers = {false};  // no second save on closing
        frame.close();
    }

    QProcess cli;
    cli.setProcessEnvironment(meter.environment());
    cli.start(KM905_CLI_BINARY, {"info", saved});
    ASSERT_TRUE(cli.waitForFinished(5000));
    const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("readings:   %1 (").arg(samples))) << out.toStdString();
    EXPECT_TRUE(out.contains("interval:   1 s")) << out.toStdString();
    EXPECT_EQ(QFileInfo(saved).size(), 47 + 4 * samples);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    if (argc > 2 && QByteArray(argv[1]) == "--record")
        return recordUntilKilled(QString::fromLocal8Bit(argv[2]));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
