// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <future>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "LinkHarness.h"
#include "RecordingInteraction.h"
#include "TestData.h"
#include "core/app/MainCommands.h"
#include "core/app/SaveSequences.h"
#include "core/files/RecordingJournal.h"
#include "core/realtime/Acquisition.h"
#include "core/realtime/JournalKeeper.h"

using namespace km905;
using namespace km905::test;

namespace {

// 2019-01-02 10:20:30 UTC, every 2 s: 250 lux from a frame, the same held, then an
// over-range frame in foot-candles on the 40 FC range.
const QByteArray kHeader = bytes({'K',  'M',  '9',  '0',  '5',  'J',  'N',  'L',  0x01, 0x00,  //
                                  0x6E, 0x90, 0x2C, 0x5C, 0x00, 0x00, 0x00, 0x00,              //
                                  0xD0, 0x07, 0x00, 0x00});
const QByteArray kRecords[3] = {
    bytes({0x00, 0x00, 0x7A, 0x43, 'F', 0x00, 0x28, 0x00, 0x00, 0x00}),
    bytes({0x00, 0x00, 0x7A, 0x43, 'H', 0x00, 0x28, 0x00, 0x00, 0x00}),
    bytes({0x80, 0x96, 0x98, 0x4A, 'F', 0x01, 0x04, 0x00, 0x00, 0x00}),
};

// The three samples above stored one by one, as the sampling tick reports them.
void writeSmallRecording(JournalKeeper& k, MeterModel& m) {
    m.view.m_startTime = 1546424430;
    m.view.m_sampleRateMs = 2000;
    k.recordingStarted(m);
    m.doc.m_readings[0] = 250.0f;
    m.view.m_viewUnitFC = 0;
    m.doc.m_yGainDoc = 40;
    k.sampleStored(m, 0, true);
    m.doc.m_readings[1] = 250.0f;
    k.sampleStored(m, 1, false);
    m.doc.m_readings[2] = 5000000.0f;
    m.view.m_viewUnitFC = 1;
    m.doc.m_yGainDoc = 4;
    k.sampleStored(m, 2, true);
}

}  // namespace

TEST(RecordingJournal, HeaderAndRecordsAreWrittenAsLaidOut) {
    MemoryJournalFile file;
    JournalKeeper keeper(file);
    MeterModel m;
    writeSmallRecording(keeper, m);
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(file.bytes->size(), 52);
    EXPECT_EQ(*file.bytes, kHeader + kRecords[0] + kRecords[1] + kRecords[2]);
}

TEST(RecordingJournal, EveryCutRestoresTheWholeSamplesBeforeIt) {
    MemoryJournalFile written;
    JournalKeeper writer(written);
    MeterModel original;
    writeSmallRecording(writer, original);
    ASSERT_TRUE(written.bytes);
    const QByteArray whole = *written.bytes;
    for (int len = 0; len <= whole.size(); ++len) {
        SCOPED_TRACE(len);
        MemoryJournalFile file;
        file.bytes = whole.left(len);
        JournalKeeper keeper(file);
        MeterModel m;
        RecordingInteraction ui;
        ui.answers = {true};
        const bool restored = offerRestore(keeper, m, ui);
        // 22 header bytes, then 10 per sample.
        const int expected = len < 22 ? 0 : (len - 22) / 10;
        if (expected == 0) {
            // Too short for a header, or no whole sample: removed without a question.
            EXPECT_FALSE(restored);
            EXPECT_TRUE(ui.questions.isEmpty());
            EXPECT_FALSE(file.bytes);
            EXPECT_EQ(m.view.m_sampleIndex, 0);
            continue;
        }
        ASSERT_TRUE(restored);
        EXPECT_EQ(ui.questions, QStringList{QStringLiteral("A recording was interrupted on "
                                                           "01/02/19 10:20:30 with %1 samples. "
                                                           "Restore it?")
                                                .arg(expected)});
        EXPECT_TRUE(file.bytes);  // kept until the restored recording ends normally
        EXPECT_EQ(m.view.m_sampleIndex, expected);
        EXPECT_EQ(m.doc.m_curIndex, expected);
        const int frames[] = {0, 1, 1, 2};
        EXPECT_EQ(m.view.m_frameCount, frames[expected]);
        EXPECT_EQ(m.frame.m_frameSlot[0], 0);
        EXPECT_FLOAT_EQ(m.doc.m_readings[0], 250.0f);
        if (expected >= 2) {
            EXPECT_FLOAT_EQ(m.doc.m_readings[1], 250.0f);
        }
        if (expected == 3) {
            EXPECT_EQ(m.frame.m_frameSlot[1], 2);
            EXPECT_EQ(m.doc.m_readings[2], 5000000.0f);
        }
        EXPECT_EQ(m.view.m_viewUnitFC, expected == 3 ? 1 : 0);
        EXPECT_EQ(m.doc.m_yGainDoc, expected == 3 ? 4 : 40);
        EXPECT_EQ(m.view.m_startTime, 1546424430);
        EXPECT_EQ(m.view.m_sampleRateMs, 2000);
        EXPECT_EQ(m.view.m_startTimeText, "01/02/19 10:20:30");
        EXPECT_EQ(m.view.m_dataNoText, QString::number(frames[expected]));
        EXPECT_EQ(m.view.m_sampleRateText, "2");
        EXPECT_FALSE(m.rec.recording());
        EXPECT_TRUE(m.rec.stopped());
        EXPECT_EQ(m.frame.m_graphUsed, 1);
        EXPECT_FALSE(m.rec.canStop());
    }
}

TEST(RecordingJournal, NoDeletesTheJournalAndAnUnreadableHeaderIsKeptAsideAndTold) {
    MemoryJournalFile file;
    file.bytes = kHeader + kRecords[0];
    JournalKeeper keeper(file);
    MeterModel m;
    RecordingInteraction ui;
    ui.answers = {false};
    EXPECT_FALSE(offerRestore(keeper, m, ui));
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_FALSE(file.bytes);
    EXPECT_EQ(m.view.m_sampleIndex, 0);
    EXPECT_EQ(m.frame.m_graphUsed, 0);

    // Another magic, version 2 (a newer program's), a period of 208 ms, one of 1.5 s.
    const std::pair<int, char> damage[] = {{0, 'k'}, {8, 2}, {19, 0}, {18, char(0xDC)}};
    for (const auto& [at, byte] : damage) {
        SCOPED_TRACE(at);
        QByteArray damaged = kHeader + kRecords[0];
        damaged[at] = byte;
        if (at == 18) damaged[19] = 0x05;
        file.bytes = damaged;
        ui.messages.clear();
        EXPECT_FALSE(offerRestore(keeper, m, ui));
        EXPECT_EQ(ui.questions.size(), 1);  // nothing asked
        EXPECT_FALSE(file.bytes);
        ASSERT_FALSE(file.kept.empty());
        EXPECT_EQ(file.kept.back(), damaged);
        EXPECT_EQ(ui.messages,
                  QStringList{
                      QStringLiteral("A recording journal left behind could not be read; a newer "
                                     "version of KM905 may have written it. Nothing was restored, "
                                     "and the journal was kept as journal.%1.")
                          .arg(file.kept.size())});
    }
    EXPECT_EQ(file.removes, 1);
    EXPECT_FALSE(offerRestore(keeper, m, ui));  // no journal at all: nothing asked
    EXPECT_EQ(ui.questions.size(), 1);

    // One that cannot be moved aside stays, and no recording of this run writes over it.
    QByteArray newer = kHeader + kRecords[0];
    newer[8] = 2;
    file.bytes = newer;
    file.keepFails = true;
    ui.messages.clear();
    QStringList told;
    keeper.onFailed = [&](const QString& t) { told << t; };
    EXPECT_FALSE(offerRestore(keeper, m, ui));
    EXPECT_EQ(ui.messages,
              QStringList{"A recording journal left behind could not be read; a newer version "
                          "of KM905 may have written it. Nothing was restored. It could not be "
                          "moved aside either, so it stays where it is and recordings of this "
                          "run keep no journal: save them before closing."});
    writeSmallRecording(keeper, m);
    keeper.recordingEnded();
    EXPECT_EQ(file.bytes, newer);
    EXPECT_EQ(file.removes, 1);
    EXPECT_EQ(file.appends, 0);
    EXPECT_EQ(told, QStringList{kJournalFailedText});
}

TEST(RecordingJournal, ADamagedRecordEndsTheRestore) {
    // A zero-filled tail, as a power cut can leave behind the last written sample.
    const std::optional<JournalContents> j =
        readJournal(kHeader + kRecords[0] + kRecords[1] + QByteArray(30, '\0'));
    ASSERT_TRUE(j);
    EXPECT_EQ(j->samples.size(), 2u);
    QByteArray badUnit = kRecords[2];
    badUnit[5] = 2;
    const std::optional<JournalContents> k = readJournal(kHeader + kRecords[0] + badUnit);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->samples.size(), 1u);
}

TEST(RecordingJournal, ALostWriteIsToldOnceAndLeavesTheWholeSamplesBeforeIt) {
    MemoryJournalFile file;
    file.failAppend = 1;
    JournalKeeper keeper(file);
    QStringList told;
    keeper.onFailed = [&](const QString& t) { told << t; };
    MeterModel m;
    writeSmallRecording(keeper, m);
    EXPECT_EQ(told, QStringList{kJournalFailedText});
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(*file.bytes, kHeader + kRecords[0] + kRecords[1].left(3));
    EXPECT_EQ(file.appends, 2);  // nothing more is tried for this recording
    const std::optional<JournalContents> j = readJournal(*file.bytes);
    ASSERT_TRUE(j);
    EXPECT_EQ(j->samples.size(), 1u);

    // The next recording gets a journal of its own.
    file.failAppend = -1;
    keeper.recordingStarted(m);
    keeper.sampleStored(m, 0, true);
    EXPECT_EQ(file.bytes->size(), 32);
    EXPECT_EQ(told.size(), 1);
}

TEST(RecordingJournal, TheDiskFileKeepsWhatWasAppended) {
    QTemporaryDir dir;
    DiskJournalFile file(dir.filePath("j"));
    EXPECT_FALSE(file.readAll());
    EXPECT_TRUE(file.create("abc"));
    EXPECT_TRUE(file.append("de"));
    EXPECT_EQ(fileBytes(dir.filePath("j")), "abcde");  // on disk before the file is closed
    EXPECT_EQ(file.readAll(), QByteArray("abcde"));
    EXPECT_TRUE(file.create("x"));  // a new recording replaces the old journal
    EXPECT_EQ(fileBytes(dir.filePath("j")), "x");
    file.remove();
    EXPECT_FALSE(QFile::exists(dir.filePath("j")));
    EXPECT_FALSE(file.append("y"));

    DiskJournalFile nowhere(dir.filePath("missing/j"));
    EXPECT_FALSE(nowhere.create("abc"));
    EXPECT_FALSE(nowhere.append("de"));
}

TEST(RecordingJournal, TheCopyThatRecordsKeepsTheJournalWhicheverStartedFirst) {
    QTemporaryDir dir;
    const QString path = dir.filePath("j");
    // Two copies started together; each looks for a journal left behind, finds none.
    DiskJournalFile first(path);
    DiskJournalFile second(path);
    EXPECT_FALSE(first.readAll());
    EXPECT_FALSE(second.readAll());
    // The second one got the meter and records.
    ASSERT_TRUE(second.create("abc"));
    EXPECT_TRUE(second.append("d"));
    // The first one neither reads, replaces, keeps aside nor deletes it, closing or not.
    EXPECT_FALSE(first.readAll());
    EXPECT_FALSE(first.create("x"));
    EXPECT_FALSE(first.keepAside());
    first.remove();
    EXPECT_EQ(fileBytes(path), "abcd");
    {
        DiskJournalFile third(path);  // started later, while the recording runs
        EXPECT_FALSE(third.readAll());
        third.remove();
    }
    EXPECT_TRUE(second.append("e"));
    EXPECT_EQ(fileBytes(path), "abcde");
    // Once that recording has ended, the first copy may record.
    second.remove();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(first.create("x"));
    EXPECT_FALSE(second.create("y"));
    EXPECT_EQ(fileBytes(path), "x");
}

#ifndef Q_OS_WIN
namespace {
// Runs a call that must not block on the pipe at `fifo`. Past the deadline, the pipe's ends
// are opened and closed once, so that a call blocked in it returns and the test fails
// instead of hanging.
template <typename F>
bool returnsInTime(const QString& fifo, F call) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    done.wait();
    return false;
}
}  // namespace
#endif

TEST(RecordingJournal, OnlyARegularFileIsReadAndNoMoreThanTheLongestRecording) {
    QTemporaryDir dir;
    const QString path = dir.filePath("j");
    DiskJournalFile file(path);
    std::optional<QByteArray> read;
#ifndef Q_OS_WIN
    std::signal(SIGPIPE, SIG_IGN);  // a write into a pipe without a reader fails instead

    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    read = QByteArray("not read");
    EXPECT_TRUE(returnsInTime(path, [&] { read = file.readAll(); }));
    EXPECT_FALSE(read);
    bool created = true;
    EXPECT_TRUE(returnsInTime(path, [&] { created = file.create("abc"); }));
    EXPECT_FALSE(created);
    EXPECT_TRUE(QFileInfo(path).exists());  // left as it is
    ASSERT_TRUE(QFile::remove(path));

    // A link to an endless device.
    ASSERT_TRUE(QFile::link("/dev/zero", path));
    EXPECT_FALSE(file.readAll());
    EXPECT_FALSE(file.create("abc"));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    ASSERT_TRUE(QFile::remove(path));
#endif

    // A valid header, then 20000 held samples of 250 lux and zeros up to 1 GB: 22 bytes of
    // header and 10 a sample for the 19990 samples a recording holds, the rest unread.
    QByteArray big = kHeader;
    for (int i = 0; i < 20000; ++i) big += kRecords[1];
    putFile(path, big);
    {
        QFile grow(path);
        ASSERT_TRUE(grow.resize(qint64{1} << 30));
    }
    read = file.readAll();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 22 + 19990 * 10);
    file.remove();

    putFile(path, big);
    DiskJournalFile again(path);
    JournalKeeper keeper(again);
    MeterModel m;
    RecordingInteraction ui;
    ui.answers = {true};
    ASSERT_TRUE(offerRestore(keeper, m, ui));
    EXPECT_EQ(ui.questions, QStringList{"A recording was interrupted on 01/02/19 10:20:30 with "
                                        "19990 samples. Restore it?"});
    EXPECT_EQ(m.view.m_sampleIndex, 19990);
    EXPECT_FLOAT_EQ(m.doc.m_readings[19989], 250.0f);
}

namespace {
// The recording commands on the simulated meter and virtual time, with the journal in memory.
class Journaled : public testing::Test {
  protected:
    Journaled()
        : h(steadyScenario(250)),
          acq(h.session.acquisition()),
          ui(h.dialogs),
          cmd(h.session.commands()),
          file(h.journal),
          keeper(h.session.journal()) {
        m_folder = h.data.folder();
        h.link.setRecordingSink(&keeper);
        cmd.setRecordingSink(&keeper);
        acq.start();
        h.link.reopenAndPoll();
        h.clock.advance(100);
    }
    // Run at the given period, and the repaint after it.
    void run(int secs) {
        ui.rateAnswers = {secs};
        cmd.run();
        h.session.graphPainted();
    }

    QString m_folder;
    LinkHarness h;
    Acquisition& acq;
    RecordingInteraction& ui;
    MainCommands& cmd;
    MemoryJournalFile& file;
    JournalKeeper& keeper;
};
}  // namespace

TEST_F(Journaled, TheSamplingTickWritesEachSampleAsItIsStored) {
    run(2);
    h.clock.advance(100);  // the restarting frame, then the first tick
    ASSERT_TRUE(file.bytes);
    // 2025-12-08 09:00:00 UTC, 2000 ms, then one frame sample of 250 lux on the 400 lux range.
    const QByteArray header = bytes({'K',  'M',  '9',  '0',  '5',  'J',  'N',  'L',  0x01, 0x00,  //
                                     0x90, 0x93, 0x36, 0x69, 0x00, 0x00, 0x00, 0x00,              //
                                     0xD0, 0x07, 0x00, 0x00});
    const QByteArray sample = bytes({0x00, 0x00, 0x7A, 0x43, 'F', 0x00, 0x28, 0x00, 0x00, 0x00});
    EXPECT_EQ(*file.bytes, header + sample);
    h.clock.advance(1999);
    EXPECT_EQ(file.bytes->size(), 32);  // the current slot is still being rewritten
    h.clock.advance(1);
    EXPECT_EQ(*file.bytes, header + sample + sample);
    h.clock.advance(2000);
    EXPECT_EQ(*file.bytes, header + sample + sample + sample);
}

TEST_F(Journaled, ARestoredRecordingSavesTheSameFilesAsTheOriginal) {
    run(1);
    h.clock.advance(3100);
    h.meter.scenario().faults.silence = {6.0, 9.5};  // held samples
    h.clock.advance(8000);
    h.meter.scenario().fc = true;  // the unit and the Y gain change mid-recording
    h.clock.advance(4000);
    cmd.stop();
    const ViewState& v = h.model.view;
    ASSERT_GE(v.m_sampleIndex, 14);
    ASSERT_LT(v.m_frameCount, v.m_sampleIndex);  // the silence left held samples
    ASSERT_EQ(v.m_viewUnitFC, 1);

    // The journal as a crash just before the save would leave it.
    ASSERT_TRUE(file.bytes);
    MemoryJournalFile left;
    left.bytes = file.bytes;
    ui.fileAnswers = {m_folder + "/original.AsmDat"};
    ASSERT_EQ(cmd.save(), SaveOutcome::Saved);
    EXPECT_FALSE(file.bytes);  // a successful save ends the journal

    MeterModel restored;
    JournalKeeper reader(left);
    RecordingInteraction ask;
    ask.answers = {true};
    ASSERT_TRUE(offerRestore(reader, restored, ask));
    ask.fileAnswers = {m_folder + "/restored.AsmDat"};
    ASSERT_EQ(saveRealtimeRecording(h.data.settings(), restored, ask, h.clock.nowSecs()),
              SaveOutcome::Saved);
    EXPECT_EQ(fileBytes(m_folder + "/restored.AsmDat"), fileBytes(m_folder + "/original.AsmDat"));
    EXPECT_EQ(fileBytes(m_folder + "/restored.csv"), fileBytes(m_folder + "/original.csv"));
    EXPECT_EQ(fileBytes(m_folder + "/restored.AsmDat").size(), 47 + 4 * v.m_sampleIndex);
}

TEST_F(Journaled, ANormalEndRemovesTheJournal) {
    run(1);
    h.clock.advance(2100);
    ASSERT_TRUE(file.bytes);
    ui.fileAnswers = {m_folder + "/early.AsmDat"};  // saved while it runs: the rest still counts
    EXPECT_EQ(cmd.save(), SaveOutcome::Saved);
    h.clock.advance(1000);
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(file.bytes->size(), 22 + 4 * 10);
    cmd.stop();

    ui.fileAnswers = {""};  // Save cancelled: the recording is still unsaved
    EXPECT_EQ(cmd.save(), SaveOutcome::Cancelled);
    EXPECT_TRUE(file.bytes);
    ui.answers = {false};  // Run, not saving first, then the rate dialog cancelled
    ui.rateAnswers = {RecordingInteraction::kCancel};
    cmd.run();
    EXPECT_TRUE(file.bytes);

    ui.answers = {false};
    run(1);  // confirmed: the old recording goes
    EXPECT_FALSE(file.bytes);
    h.clock.advance(2100);  // and the restarting frame begins the new journal
    ASSERT_TRUE(file.bytes);
    EXPECT_EQ(file.bytes->size(), 22 + 3 * 10);
    cmd.stop();

    ui.fileAnswers = {m_folder + "/kept.AsmDat"};
    EXPECT_EQ(cmd.save(), SaveOutcome::Saved);
    EXPECT_FALSE(file.bytes);
}
