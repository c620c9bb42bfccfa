// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "UiHarness.h"
#include "ui/realtime/CRealTimeInfoBar.h"

using namespace km905;
using namespace km905::test;

namespace {
void putFile(const QString& path, const QByteArray& b) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString journalFile(const UiHarness& h) {
    return h.home.path() + "/Documents/KM905/KM905-recording.journal";
}

// The program started again in the same home, on the same meter and clock.
void restartProgram(UiHarness& h) {
    h.frame.reset();
    h.frame = std::make_unique<CMainFrame>(
        FrameServices{h.comm, h.clock, h.bridges, h.ui, h.home.settings()});
    h.frame->resize(1280, 860);
    h.frame->show();
    UiHarness::settle();
}

void recordThreeSamples(CMainFrame& frame, VirtualClock& clock, RecordingInteraction& ui) {
    ui.rateAnswers = {1};
    clock.advance(100);
    UiHarness::settle();
    frame.trigger(kCmdRun);
    UiHarness::settle();  // the repaint after Run arms the first tick
    clock.advance(2150);
    UiHarness::settle();
    ASSERT_EQ(frame.model().view.m_sampleIndex, 3);
}

void recordThreeSamples(UiHarness& h) {
    recordThreeSamples(*h.frame, h.clock, h.ui);
}
}  // namespace

TEST(JournalWindow, AJournalFoundAtStartIsOfferedAndRestoredIntoTheView) {
    UiHarness h(steadyScenario(250));
    // 2019-01-02 10:20:30 UTC, 2 s: 250 lux from a frame, the same held, OL in FC from a frame.
    putFile(journalFile(h),
            bytes({'K',  'M',  '9',  '0',  '5',  'J',  'N',  'L',  0x01, 0x00, 0x6E, 0x90, 0x2C,
                   0x5C, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x07, 0x00, 0x00, 0x00, 0x00, 0x7A, 0x43,
                   'F',  0x00, 0x28, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7A, 0x43, 'H',  0x00, 0x28,
                   0x00, 0x00, 0x00, 0x80, 0x96, 0x98, 0x4A, 'F',  0x01, 0x04, 0x00, 0x00, 0x00}));
    h.ui.answers = {true};
    restartProgram(h);
    EXPECT_EQ(h.ui.questions, QStringList{"A recording was interrupted on 01/02/19 10:20:30 "
                                          "with 3 samples. Restore it?"});
    const CRealTimeInfoBar* info = h.frame->view()->infoBar();
    EXPECT_EQ(info->startTime(), "01/02/19 10:20:30");
    EXPECT_EQ(info->dataNo(), "2");
    EXPECT_EQ(info->sampleRate(), "2");
    h.advance(300);  // live frames go on; the restored recording stays stopped
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdSave)->isEnabled());
    EXPECT_TRUE(h.frame->action(kCmdPrint)->isEnabled());
    EXPECT_TRUE(h.frame->action(kCmdRun)->isEnabled());
    EXPECT_FALSE(h.frame->action(kCmdStop)->isEnabled());
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 3);
    EXPECT_TRUE(QFile::exists(journalFile(h)));

    // The next Run offers to save it first, and once confirmed the journal goes.
    h.ui.answers = {false};
    h.ui.rateAnswers = {1};
    h.frame->trigger(kCmdRun);
    EXPECT_EQ(h.ui.questions.size(), 2);
    EXPECT_EQ(h.ui.questions.value(1),
              "Do you want to save the existing graph data before continuing?");
    EXPECT_FALSE(QFile::exists(journalFile(h)));
}

TEST(JournalWindow, NoAtStartDeletesTheJournal) {
    UiHarness h(steadyScenario(250));
    recordThreeSamples(h);
    ASSERT_TRUE(QFile::exists(journalFile(h)));
    h.ui.answers = {false};
    restartProgram(h);  // as after a crash: the old window never closed
    EXPECT_EQ(h.ui.questions.size(), 1);
    EXPECT_FALSE(QFile::exists(journalFile(h)));
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 0);
}

TEST(JournalWindow, OnlyACloseThatGoesAheadRemovesTheJournal) {
    UiHarness h(steadyScenario(250));
    recordThreeSamples(h);
    ASSERT_TRUE(QFile::exists(journalFile(h)));
    h.ui.answers = {true};  // save, into a folder that is not there
    h.ui.fileAnswers = {QStringLiteral("/nonexistent-km905-folder/run")};
    EXPECT_FALSE(h.frame->close());
    EXPECT_TRUE(QFile::exists(journalFile(h)));
    // Yes, then Cancel in the save dialog: the window stays and the link goes on.
    h.ui.answers = {true};
    h.ui.fileAnswers = {""};
    EXPECT_FALSE(h.frame->close());
    EXPECT_TRUE(h.frame->isVisible());
    EXPECT_TRUE(QFile::exists(journalFile(h)));
    const int polls = h.meter.pollCount();
    h.advance(1000);
    EXPECT_GT(h.meter.pollCount(), polls + 5);
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 3);
    h.ui.answers = {false};
    EXPECT_TRUE(h.frame->close());
    EXPECT_FALSE(QFile::exists(journalFile(h)));
}

TEST(JournalWindow, AJournalThatCannotBeWrittenIsSaidOnceAndTheRecordingGoesOn) {
    UiHarness h(steadyScenario(250));
    QDir().mkpath(journalFile(h));  // a folder in the journal's place
    recordThreeSamples(h);
    const QString told =
        "The recording could not be written to its journal: Save it before closing to keep it.";
    EXPECT_EQ(h.ui.messages, QStringList{told});
    // The line stays, whatever fly-by help passes over the status bar.
    const auto* pane = h.frame->findChild<QLabel*>("journalPane");
    ASSERT_NE(pane, nullptr);
    QStatusTipEvent tip("Start");
    QApplication::sendEvent(h.frame.get(), &tip);
    h.advance(3000);
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 6);
    EXPECT_EQ(h.ui.messages, QStringList{told});
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->text(), told);
}

TEST(JournalWindow, AJournalThisVersionCannotReadIsKeptAsideAndTold) {
    UiHarness h(steadyScenario(250));
    // Version 2, as a newer program may write; beside it one kept before.
    const QByteArray newer =
        bytes({'K',  'M',  '9',  '0',  '5',  'J',  'N',  'L',  0x02, 0x00, 0x6E,
               0x90, 0x2C, 0x5C, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x07, 0x00, 0x00,
               0x00, 0x00, 0x7A, 0x43, 'F',  0x00, 0x28, 0x00, 0x00, 0x00});
    putFile(journalFile(h), newer);
    putFile(journalFile(h) + ".1", "kept before");
    h.ui.answers = {true};
    restartProgram(h);
    EXPECT_TRUE(h.ui.questions.isEmpty());
    EXPECT_EQ(h.ui.messages,
              QStringList{"A recording journal left behind could not be read; a newer version "
                          "of KM905 may have written it. Nothing was restored, and the journal "
                          "was kept as " +
                          QDir::toNativeSeparators(journalFile(h)) + ".2."});
    EXPECT_FALSE(QFile::exists(journalFile(h)));
    EXPECT_EQ(fileBytes(journalFile(h) + ".1"), "kept before");
    EXPECT_EQ(fileBytes(journalFile(h) + ".2"), newer);
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 0);

    // This run's recordings get a journal of their own.
    recordThreeSamples(h);
    EXPECT_EQ(QFileInfo(journalFile(h)).size(), 22 + 3 * 10);
    EXPECT_EQ(fileBytes(journalFile(h) + ".2"), newer);
}

TEST(JournalWindow, OfTwoCopiesStartedTogetherTheOneOnTheMeterKeepsTheJournal) {
    // The first copy finds no meter at its port (the meter is at port 2 for it)...
    UiHarness first(steadyScenario(250), 2);
    // ...and the second, started next, gets it.
    VirtualClock clock;
    sim::MeterSimulator meter(UiHarness::withVirtualClock(steadyScenario(250)));
    sim::SimSerialControl comm(clock, meter, 1);
    FakeBridgeList bridges;
    RecordingInteraction ui;
    CMainFrame second(FrameServices{comm, clock, bridges, ui, first.home.settings()});
    second.resize(1280, 860);
    second.show();
    UiHarness::settle();
    recordThreeSamples(second, clock, ui);
    EXPECT_EQ(second.statusBar()->currentMessage(), "");
    EXPECT_EQ(QFileInfo(journalFile(first)).size(), 22 + 3 * 10);

    // The first copy closing leaves the recording's journal alone.
    EXPECT_TRUE(first.frame->close());
    clock.advance(1000);
    UiHarness::settle();
    EXPECT_EQ(QFileInfo(journalFile(first)).size(), 22 + 4 * 10);
    EXPECT_TRUE(ui.messages.isEmpty());
    ui.answers = {false};  // not saved: the journal goes with the close
    EXPECT_TRUE(second.close());
    EXPECT_FALSE(QFile::exists(journalFile(first)));
}
