// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "LinkHarness.h"
#include "RecordingInteraction.h"
#include "TestData.h"
#include "core/app/MainCommands.h"
#include "core/app/Settings.h"
#include "core/files/GraphFile.h"
#include "core/model/TimeText.h"
#include "core/realtime/Acquisition.h"

using namespace km905;
using namespace km905::test;

namespace {
class Commands : public testing::Test {
  protected:
    Commands()
        : h(steady()), acq(h.session.acquisition()), ui(h.dialogs), cmd(h.session.commands()) {
        acq.start();
        h.link.reopenAndPoll();
        h.clock.advance(100);
    }
    static sim::Scenario steady() { return steadyScenario(250); }
    void paint() { h.session.graphPainted(); }  // the repaint after Run

    QTemporaryDir m_scratch;  // folders other than the data folder
    LinkHarness h;
    Acquisition& acq;
    RecordingInteraction& ui;
    MainCommands& cmd;
};
}  // namespace

TEST_F(Commands, TheFirstRunAsksNothingEveryLaterRunAsksFirst) {
    ASSERT_TRUE(h.model.rec.canRun());
    ui.rateAnswers = {2};
    cmd.run();
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(ui.rateShown, std::vector<int>{1});
    EXPECT_EQ(h.model.view.m_sampleRateMs, 2000);
    EXPECT_EQ(h.model.view.m_sampleRateText, "2");
    EXPECT_FALSE(h.model.rec.canRun());
    EXPECT_TRUE(h.model.rec.canStop());
    EXPECT_EQ(h.model.frame.m_graphUsed, 1);
    cmd.stop();
    EXPECT_FALSE(h.model.rec.recording());
    EXPECT_FALSE(h.model.rec.canStop());
    h.clock.advance(100);
    EXPECT_TRUE(h.model.rec.canRun());  // back with the next frame

    ui.answers = {false};
    ui.rateAnswers = {5};
    cmd.run();
    EXPECT_EQ(ui.questions,
              QStringList({"Do you want to save the existing graph data before continuing?"}));
    EXPECT_EQ(ui.rateShown.back(), 2);
    EXPECT_EQ(h.model.view.m_sampleRateMs, 5000);
    cmd.stop();
    ui.rateAnswers = {RecordingInteraction::kCancel};
    cmd.run();
    EXPECT_EQ(ui.rateShown.back(), 5);  // after a recording at 5 s the dialog shows 5
}

TEST_F(Commands, APeriodOfZeroRecordsAtOneSecondAndCancelStillArmsTheFirstTick) {
    ui.rateAnswers = {0};
    cmd.run();
    EXPECT_EQ(h.model.view.m_sampleRateMs, 1000);
    EXPECT_EQ(h.model.view.m_sampleRateText, "1");
    ui.rateAnswers = {-7};
    cmd.run();
    EXPECT_EQ(h.model.view.m_sampleRateMs, 1000);
    cmd.stop();
    paint();
    ui.rateAnswers = {RecordingInteraction::kCancel};
    cmd.run();
    EXPECT_TRUE(h.model.rec.firstTickPending());
    EXPECT_FALSE(h.model.rec.recording());
    ui.rateAnswers = {2000000000};  // no upper limit, but no overflow either
    cmd.run();
    EXPECT_GT(h.model.view.m_sampleRateMs, 0);
}

TEST_F(Commands, SaveHoldsEverySampleAndExportsTheRealFramesWithTheirTimes) {
    ui.rateAnswers = {1};
    cmd.run();
    paint();
    h.clock.advance(2100);  // samples at 0.1, 1.1, 2.1 s
    h.meter.scenario().faults.silentAlways = true;
    h.clock.advance(2000);  // one or two held samples
    h.meter.scenario().faults.silentAlways = false;
    h.meter.scenario().level.base = 300;
    h.clock.advance(3000);  // the watchdog's poll restarts the loop
    cmd.stop();
    const int samples = h.model.view.m_sampleIndex;
    const int frames = h.model.view.m_frameCount;
    ASSERT_GT(samples, frames);
    const QString folder = h.data.settings().dataFolder();
    ui.fileAnswers = {folder + "/run.AsmDat"};
    EXPECT_EQ(cmd.save(), SaveOutcome::Saved);
    const GraphReadResult g = readGraphFile(fileBytes(folder + "/run.AsmDat"));
    ASSERT_EQ(g.status, GraphReadResult::Status::Ok);
    EXPECT_EQ(static_cast<int>(g.record.readings.size()), samples);
    EXPECT_EQ(g.record.headerCount, frames);
    EXPECT_EQ(g.record.rateSecs, 1);
    EXPECT_FLOAT_EQ(g.record.readings.back(), 300.0f);
    const QByteArray csvBytes = fileBytes(folder + "/run.csv");
    const QString csv = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(csvBytes.constData() + 2), (csvBytes.size() - 2) / 2);
    const QStringList rows = csv.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), frames + 1);
    // The last real frame sits at its own slot's time, after the held ones.
    const qint64 lastSlot = h.model.frame.m_frameSlot[static_cast<size_t>(frames - 1)];
    EXPECT_TRUE(rows.back().endsWith(
        formatLocalTime(h.model.view.m_startTime + lastSlot, " %m/%d/%y %H:%M:%S")));
    EXPECT_TRUE(rows.back().contains("\t300.00\tLux\t"));
}

TEST_F(Commands, ClosingOffersToSaveOnlyFromTwoSamples) {
    using Offer = MainCommands::CloseOffer;
    h.model.view.m_sampleIndex = 1;
    EXPECT_EQ(cmd.offerSaveBeforeClose(), Offer::NotAsked);
    EXPECT_TRUE(ui.questions.isEmpty());
    h.model.view.m_sampleIndex = 2;
    EXPECT_EQ(cmd.offerSaveBeforeClose(), Offer::Declined);
    EXPECT_EQ(ui.questions, QStringList({"Do you want to save the data before closing?"}));
    EXPECT_TRUE(ui.dialogs.empty());  // answered No

    // Yes, then Cancel in the save dialog: the close is called off, not the recording.
    ui.answers = {true};
    ui.fileAnswers = {""};
    EXPECT_EQ(cmd.offerSaveBeforeClose(), Offer::Cancelled);
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(h.model.view.m_sampleIndex, 2);
}

// A save that fails never lets the recording go: neither a close nor a new Run goes ahead.
TEST_F(Commands, AFailedSaveKeepsTheRecordingThroughCloseAndRun) {
    using Offer = MainCommands::CloseOffer;
    ui.rateAnswers = {1};
    cmd.run();
    paint();
    h.clock.advance(3100);
    const int samples = h.model.view.m_sampleIndex;
    ASSERT_GE(samples, 3);
    const QString unwritable = m_scratch.path() + "/no such folder/run";
    ui.answers = {true};
    ui.fileAnswers = {unwritable};
    EXPECT_EQ(cmd.offerSaveBeforeClose(), Offer::SaveFailed);
    EXPECT_EQ(ui.messages,
              QStringList({"The file could not be saved: the folder " + m_scratch.path() +
                           "/no such folder does not exist. Nothing was changed "
                           "on the disk."}));
    EXPECT_FALSE(h.model.rec.recording());  // stopped while the user was asked
    h.clock.advance(2000);
    EXPECT_EQ(h.model.view.m_sampleIndex, samples);

    ui.answers = {true};
    ui.fileAnswers = {unwritable};
    ui.rateAnswers = {1};
    cmd.run();
    EXPECT_TRUE(ui.rateShown.size() == 1);  // no sample-rate dialog: Run did not start
    EXPECT_FALSE(h.model.rec.recording());
    h.clock.advance(2000);
    EXPECT_EQ(h.model.view.m_sampleIndex, samples);
    EXPECT_EQ(ui.messages.size(), 2);

    ui.answers = {true};
    ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    EXPECT_EQ(cmd.offerSaveBeforeClose(), Offer::Saved);
    const QStringList saved = QDir(h.data.settings().dataFolder()).entryList({"*.AsmDat"});
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(readGraphFile(fileBytes(h.data.settings().dataFolder() + "/" + saved[0]))
                  .record.readings.size(),
              static_cast<size_t>(samples));
}

TEST_F(Commands, YAxisRescalesAndRemembersThePositions) {
    cmd.yAxis();                                            // Escape: nothing changes
    EXPECT_EQ(ui.yAxisShown.back(), std::make_pair(1, 0));  // no settings file: 40 and 0
    EXPECT_FALSE(QFile::exists(h.data.settings().iniPath()));
    ui.yAxisAnswers = {{3, 2}};
    cmd.yAxis();
    EXPECT_EQ(h.model.view.m_yGain, 4000);
    EXPECT_EQ(h.model.view.m_yOffset, 4);  // the axis runs 16000..56000
    EXPECT_EQ(h.data.settings().readGainIndex(), 3);
    EXPECT_EQ(h.data.settings().readOffsetIndex(), 2);
    ui.yAxisAnswers = {{5, 0}};  // an empty gain entry
    cmd.yAxis();
    EXPECT_EQ(ui.yAxisShown.back(), std::make_pair(3, 2));
    EXPECT_EQ(h.model.view.m_yGain, 4000);
    EXPECT_EQ(h.model.view.m_yOffset, 0);
    EXPECT_EQ(h.data.settings().readGainIndex(), 5);
    EXPECT_TRUE(ui.messages.isEmpty());

    // A settings file that cannot be written: the graph changes for this run, and the user
    // hears once that it will not last.
    QFile(h.data.settings().iniPath()).setPermissions(QFile::ReadOwner);
    ui.yAxisAnswers = {{2, 1}};
    cmd.yAxis();
    EXPECT_EQ(h.model.view.m_yGain, 400);
    EXPECT_EQ(h.data.settings().readGainIndex(), 5);
    EXPECT_EQ(ui.messages, QStringList({"The settings could not be written to " +
                                        QDir::toNativeSeparators(h.data.settings().iniPath()) +
                                        ". The change holds until the program closes."}));
}

TEST_F(Commands, HelpOpensTheChmWhenThereIsOneElseTheShippedPage) {
    cmd.help(m_scratch.path());
    EXPECT_EQ(ui.helpOpened.back(), m_scratch.path() + "/help.html");
    putFile(m_scratch.path() + "/help.chm", "x");
    cmd.help(m_scratch.path());
    EXPECT_EQ(ui.helpOpened.back(), m_scratch.path() + "/help.chm");
}

TEST_F(Commands, AnInstalledProgramFindsItsHelpInTheSharedDataFolder) {
    QDir(m_scratch.path()).mkpath("usr/bin");
    QDir(m_scratch.path()).mkpath("usr/share/km905");
    cmd.help(m_scratch.path() + "/usr/bin");
    EXPECT_EQ(ui.helpOpened.back(), m_scratch.path() + "/usr/bin/help.html");  // none anywhere
    putFile(m_scratch.path() + "/usr/share/km905/help.html", "<html></html>");
    cmd.help(m_scratch.path() + "/usr/bin");
    EXPECT_EQ(ui.helpOpened.back(), m_scratch.path() + "/usr/share/km905/help.html");
    putFile(m_scratch.path() + "/usr/bin/help.html", "<html></html>");
    cmd.help(m_scratch.path() + "/usr/bin");
    EXPECT_EQ(ui.helpOpened.back(), m_scratch.path() + "/usr/bin/help.html");  // the build tree's
}
