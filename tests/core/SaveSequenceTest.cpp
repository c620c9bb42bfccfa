// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#include "RecordingInteraction.h"
#include "ScratchFolders.h"
#include "TestData.h"
#include "VirtualClock.h"
#include "core/app/OpenFiles.h"
#include "core/app/SaveSequences.h"
#include "core/app/SpreadsheetExport.h"
#include "core/files/GraphFile.h"
#include "core/files/TextExport.h"
#include "core/memlist/MemoryList.h"

using namespace km905;
using namespace km905::test;

namespace {
// A text export as written: the byte-order mark FF FE, then each ASCII character as UTF-16LE.
QByteArray utf16Export(const char* text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const char* c = text; *c; ++c) bytes.append(*c).append('\0');
    return bytes;
}

class Saving : public testing::Test {
  protected:
    void SetUp() override {
        m_folder = settings().dataFolder();
        m.doc.m_memCount = 1;
        m.doc.m_memValues[0] = 250.0f;
        m.doc.m_memModes[0] = "General";
        m.doc.m_memTimes[0] = "01/02/19 10:20:30";
    }
    const Settings& settings() const { return m_home.settings(); }
    QStringList folderEntries() const {
        QStringList l = QDir(m_folder).entryList(QDir::Files);
        l.sort();
        return l;
    }

    ScratchHome m_home;  // the data folder in its Documents
    QString m_folder;
    MeterModel m;
    RecordingInteraction ui;
    const qint64 kNow = 1765188309;  // 2025-12-08 10:05:09 UTC
};
}  // namespace

TEST_F(Saving, TheListSaveWritesBothFilesInTheDataFolder) {
    ui.fileAnswers.push_back(m_folder + "/Office");  // typed without an extension
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Saved);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].folder, m_folder);
    EXPECT_EQ(ui.dialogs[0].proposedName, "12-08-25 10.05.09");
    EXPECT_EQ(ui.dialogs[0].filter, "Memory Files (*.MemDat)");
    EXPECT_EQ(ui.dialogs[0].defaultSuffix, "MemDat");
    EXPECT_EQ(fileBytes(m_folder + "/Office.MemDat"), golden("general-250lux.MemDat"));
    EXPECT_EQ(fileBytes(m_folder + "/Office.csv"), golden("general-250lux.csv"));
    EXPECT_EQ(ui.waitCursor, (std::vector<bool>{true, false}));  // shown, then restored
    EXPECT_EQ(folderEntries(), QStringList({"Office.MemDat", "Office.csv"}));
}

TEST_F(Saving, CancelWritesNothingAndFileListsAreNotSavedAgain) {
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Cancelled);
    EXPECT_TRUE(folderEntries().isEmpty());
    m.view.m_memListFromFile = 1;
    ui.fileAnswers.push_back(m_folder + "/x.MemDat");
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::NotAllowed);
    EXPECT_EQ(ui.dialogs.size(), 1u);  // no second dialog
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(Saving, AcceptingTheProposedNameKeepsItsSecondsAndAddsTheExtension) {
    ui.fileAnswers = {RecordingInteraction::kAcceptProposed, RecordingInteraction::kAcceptProposed};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Saved);
    GraphReadResult r = readGraphFile(golden("three-fc.AsmDat"));
    graphToDocument(r, m.doc);
    EXPECT_EQ(saveLoggerGraph(settings(), m.doc, ui), SaveOutcome::Saved);
    EXPECT_EQ(folderEntries(), QStringList({"03-01-26 08.15.30.AsmDat", "03-01-26 08.15.30.csv",
                                            "12-08-25 10.05.09.MemDat", "12-08-25 10.05.09.csv"}));
    EXPECT_EQ(fileBytes(m_folder + "/12-08-25 10.05.09.MemDat"), golden("general-250lux.MemDat"));
    EXPECT_EQ(fileBytes(m_folder + "/03-01-26 08.15.30.csv"), golden("three-fc.csv"));
}

TEST_F(Saving, TheExtensionIsAddedUnlessTheNameEndsInItInAnyCase) {
    EXPECT_EQ(withDefaultSuffix("/d/a.b.c", "AsmDat"), "/d/a.b.c.AsmDat");
    EXPECT_EQ(withDefaultSuffix("/d/run.ASMDAT", "AsmDat"), "/d/run.ASMDAT");
    EXPECT_EQ(withDefaultSuffix("/d/run.memdat", "AsmDat"), "/d/run.memdat.AsmDat");
    EXPECT_EQ(withDefaultSuffix("/d/old.ch4", "AsmDat", {"CH4"}), "/d/old.ch4");
    EXPECT_EQ(withDefaultSuffix("/d/old.ch4", "AsmDat"), "/d/old.ch4.AsmDat");
    EXPECT_EQ(exportPathFor("/d/12-08-26 06.40.03.AsmDat", "AsmDat"), "/d/12-08-26 06.40.03.csv");
    EXPECT_EQ(exportPathFor("/d/X.MEMDAT", "MemDat"), "/d/X.csv");
}

TEST_F(Saving, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    putFile(m_folder + "/Old.MemDat", "old list");
    ui.fileAnswers = {m_folder + "/Old", m_folder + "/Old.MemDat"};
    ui.answers = {false, true};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Cancelled);
    EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), "old list");
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Saved);
    EXPECT_EQ(ui.questions,
              QStringList(2, "Old.MemDat already exists.\nDo you want to replace it?"));
    EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), golden("general-250lux.MemDat"));
}

// Each step of a save fails once in turn: the old pair stays, nothing is left behind, and
// the user is told.
TEST_F(Saving, AFailureAtAnyStepLeavesTheOldFilesAndSaysSo) {
    struct Case {
        const char* step;
        int failingCall;
    };
    const Case cases[] = {{"write", 1}, {"write", 2}, {"flush", 1},  {"flush", 2},
                          {"sync", 1},  {"sync", 2},  {"rename", 1}, {"rename", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.step) + " #" + std::to_string(c.failingCall));
        putFile(m_folder + "/Old.MemDat", "old list");
        putFile(m_folder + "/Old.csv", "old export");
        FileSteps steps = FileSteps::real();
        int calls = 0;
        auto failing = [&](const char* step) {
            return step == std::string(c.step) && ++calls == c.failingCall;
        };
        const FileSteps real = FileSteps::real();
        steps.write = [&](QFile& f, const QByteArray& b) {
            if (!failing("write")) return real.write(f, b);
            f.write(b.left(3));
            return QStringLiteral("No space left on device");
        };
        steps.flush = [&](QFile& f) {
            return failing("flush") ? QStringLiteral("No space left on device") : real.flush(f);
        };
        steps.sync = [&](QFile& f) {
            return failing("sync") ? QStringLiteral("Input/output error") : real.sync(f);
        };
        steps.rename = [&](const QString& from, const QString& to) {
            return failing("rename") ? QStringLiteral("Permission denied") : real.rename(from, to);
        };
        ui.messages.clear();
        ui.waitCursor.clear();
        ui.answers = {true};
        ui.fileAnswers = {m_folder + "/Old.MemDat"};
        EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow, steps), SaveOutcome::Failed);
        EXPECT_EQ(ui.waitCursor, (std::vector<bool>{true, false}));
        EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), "old list");
        EXPECT_EQ(fileBytes(m_folder + "/Old.csv"), "old export");
        EXPECT_EQ(QDir(m_folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"Old.MemDat", "Old.csv"}));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_TRUE(ui.messages[0].startsWith("The file could not be saved: "));
        EXPECT_TRUE(ui.messages[0].endsWith(". Nothing was changed on the disk."));

        // A file written as its bytes come (a download's raw bytes) fails the same way; its
        // one move into place is the first rename.
        calls = 0;
        const bool movedIn = c.step == std::string("rename") && c.failingCall == 2;
        {
            GrowingFile growing(m_folder + "/Old.MemDat", steps);
            ASSERT_TRUE(growing.open());
            growing.append("new ");
            growing.append("list");
            const WriteResult committed = growing.commit();
            EXPECT_EQ(committed.ok, movedIn) << committed.reason.toStdString();
            EXPECT_EQ(growing.append("more").ok, false);  // nothing after the end
        }
        EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), movedIn ? "new list" : "old list");
        EXPECT_EQ(QDir(m_folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"Old.MemDat", "Old.csv"}));
    }
    ui.messages.clear();
    ui.answers = {true};
    ui.fileAnswers = {m_folder + "/Old.MemDat"};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow),
              SaveOutcome::Saved);  // a good save replaces both
    EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), golden("general-250lux.MemDat"));
    EXPECT_EQ(fileBytes(m_folder + "/Old.csv"), golden("general-250lux.csv"));
    EXPECT_TRUE(ui.messages.isEmpty());
}

#ifndef _WIN32  // symbolic links and pipes are Linux's
TEST_F(Saving, ALinkOrPipeAtTheTargetIsNeitherFollowedNorWrittenInto) {
    putFile(m_home.path() + "/elsewhere", "precious");
    ASSERT_TRUE(QFile::link(m_home.path() + "/elsewhere", m_folder + "/Link.MemDat"));
    ui.answers = {true, true};
    ui.fileAnswers = {m_folder + "/Link.MemDat"};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Failed);
    EXPECT_EQ(fileBytes(m_home.path() + "/elsewhere"), "precious");
    EXPECT_TRUE(QFileInfo(m_folder + "/Link.MemDat").isSymLink());
    EXPECT_EQ(ui.messages, QStringList({"The file could not be saved: Link.MemDat is not a regular "
                                        "file. Nothing was changed on the disk."}));
#ifndef Q_OS_WIN
    ASSERT_EQ(mkfifo(QFile::encodeName(m_folder + "/Pipe.csv").constData(), 0600), 0);
    ui.fileAnswers = {m_folder + "/Pipe.MemDat"};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow),
              SaveOutcome::Failed);  // returns, never blocks
    EXPECT_FALSE(QFile::exists(m_folder + "/Pipe.MemDat"));
#endif
}
#endif

TEST_F(Saving, AFailedSaveIntoAMissingFolderSaysWhy) {
    ui.fileAnswers = {m_home.path() + "/gone/Office"};
    EXPECT_EQ(saveMemoryList(settings(), m, ui, kNow), SaveOutcome::Failed);
    EXPECT_EQ(ui.messages, QStringList({"The file could not be saved: the folder " + m_home.path() +
                                        "/gone does not exist. Nothing was changed on the disk."}));
}

TEST_F(Saving, TheLoggerSaveIsNamedAfterTheGraphsStart) {
    GraphReadResult r = readGraphFile(golden("three-fc.AsmDat"));
    graphToDocument(r, m.doc);
    ui.fileAnswers.push_back(m_folder + "/Test.AsmDat");
    EXPECT_EQ(saveLoggerGraph(settings(), m.doc, ui), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[0].proposedName, "03-01-26 08.15.30");
    EXPECT_EQ(ui.dialogs[0].filter, "DataLogger Files (*.AsmDat)");
    EXPECT_EQ(fileBytes(m_folder + "/Test.AsmDat"), golden("three-fc.AsmDat"));
    EXPECT_EQ(fileBytes(m_folder + "/Test.csv"), golden("three-fc.csv"));
    // Its export for spreadsheets: the same name with ".utf8.csv", as km905-cli writes it.
    ui.fileAnswers.push_back(RecordingInteraction::kAcceptProposed);
    EXPECT_EQ(exportLoggerGraphCsv(settings(), m.doc, ui), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[1].folder, m_folder);
    EXPECT_EQ(ui.dialogs[1].proposedName, "03-01-26 08.15.30.utf8.csv");
    EXPECT_EQ(fileBytes(m_folder + "/03-01-26 08.15.30.utf8.csv"),
              "number,time,lux,fc,unit,flag\n"
              "1,2026-03-01T08:15:30,250.00,23.23,fc,\n"
              "2,2026-03-01T08:15:32,1234.50,114.73,fc,\n"
              "3,2026-03-01T08:15:34,,,fc,OL\n");
}

// The header count read from a file is kept in the document but not written back: the
// datalogger window writes its count in both places.
TEST_F(Saving, TheLoggerSaveWritesItsCountAsTheHeaderCount) {
    graphToDocument(readGraphFile(golden("three-lux-header7.AsmDat")), m.doc);
    EXPECT_EQ(m.doc.m_file.headerCount, 7);
    ui.fileAnswers.push_back(m_folder + "/Back");
    EXPECT_EQ(saveLoggerGraph(settings(), m.doc, ui), SaveOutcome::Saved);
    EXPECT_EQ(fileBytes(m_folder + "/Back.AsmDat"), golden("three-lux.AsmDat"));
}

TEST_F(Saving, TheRealtimeSaveHoldsEverySampleAndExportsTheFrames) {
    m.view.m_startTime = 1772352930;
    m.view.m_sampleRateMs = 2000;
    m.view.m_frameCount = 2;
    m.view.m_sampleIndex = 3;
    m.frame.m_frameSlot[0] = 0;
    m.frame.m_frameSlot[1] = 2;
    m.doc.m_readings[0] = m.doc.m_readings[1] = 250.0f;
    m.doc.m_readings[2] = 1234.5f;
    ui.fileAnswers.push_back(RecordingInteraction::kAcceptProposed);
    EXPECT_EQ(saveRealtimeRecording(settings(), m, ui, kNow), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[0].proposedName, "12-08-25 10.05.09");
    const GraphReadResult back = readGraphFile(fileBytes(m_folder + "/12-08-25 10.05.09.AsmDat"));
    EXPECT_EQ(back.record.headerCount, 2);
    EXPECT_EQ(back.record.readings, (std::vector<float>{250, 250, 1234.5f}));
    // One row per frame: slots 0 and 2, 2 s apart, from 1 March 2026 08:15:30 (UTC).
    EXPECT_EQ(fileBytes(m_folder + "/12-08-25 10.05.09.csv"),
              utf16Export("NO\tData\tUNIT\tTIME\r\n"
                          "1\t250.00\tLux\t 03/01/26 08:15:30\r\n"
                          "2\t1.23K\tLux\t 03/01/26 08:15:34\r\n"));
    EXPECT_EQ(ui.waitCursor, (std::vector<bool>{true, false}));
    // The export for spreadsheets is the graph file's: every stored sample, 2 s apart.
    ui.fileAnswers.push_back(RecordingInteraction::kAcceptProposed);
    EXPECT_EQ(exportRealtimeCsv(settings(), m, ui, kNow), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[1].proposedName, "12-08-25 10.05.09.utf8.csv");
    EXPECT_EQ(fileBytes(m_folder + "/12-08-25 10.05.09.utf8.csv"),
              "number,time,lux,fc,unit,flag\n"
              "1,2026-03-01T08:15:30,250.00,23.23,lux,\n"
              "2,2026-03-01T08:15:32,250.00,23.23,lux,\n"
              "3,2026-03-01T08:15:34,1234.50,114.73,lux,\n");
}

TEST_F(Saving, OpeningAPipeOrFolderSaysInvalidFormatWithoutBlocking) {
#ifndef Q_OS_WIN
    const QString pipe = m_home.path() + "/pipe.MemDat";
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(openListFile(pipe, m, ui), OpenOutcome::InvalidFormat);
    EXPECT_EQ(openGraphFile(pipe, m, ui), OpenOutcome::InvalidFormat);
#endif
    QDir().mkpath(m_home.path() + "/dir.AsmDat");
    EXPECT_EQ(openGraphFile(m_home.path() + "/dir.AsmDat", m, ui), OpenOutcome::InvalidFormat);
    EXPECT_EQ(ui.messages.last(), "Invalid Format!");
    EXPECT_EQ(m.doc.m_memCount, 1);
    EXPECT_EQ(m.view.m_fileLoaded, 0);
}

TEST_F(Saving, OpeningRefusesForeignFilesWithInvalidFormat) {
    putFile(m_home.path() + "/bad.MemDat", "\x05km905\x00\x00\x00\x00");
    EXPECT_EQ(openListFile(m_home.path() + "/bad.MemDat", m, ui), OpenOutcome::InvalidFormat);
    EXPECT_EQ(ui.messages, QStringList({"Invalid Format!"}));
    EXPECT_EQ(m.view.m_memListLoaded, 0);
    EXPECT_EQ(m.doc.m_memCount, 1);
    putFile(m_home.path() + "/ok.AsmDat", golden("three-lux.AsmDat"));
    EXPECT_EQ(openGraphFile(m_home.path() + "/ok.AsmDat", m, ui), OpenOutcome::Opened);
    EXPECT_EQ(m.view.m_fileLoaded, 1);
    EXPECT_EQ(m.view.m_fileNew, 1);
    EXPECT_EQ(m.doc.fileCount(), 3);
    EXPECT_EQ(m.doc.m_file.scale, 4000);
}

// The memory list shows a list file only when it opened; a failure was told and changes
// nothing shown. What it shows is taken once.
TEST_F(Saving, TheMemoryListShowsAListFileOnlyWhenItOpened) {
    VirtualClock clock;
    MemoryList list(m, ui, clock, settings());
    putFile(m_home.path() + "/bad.MemDat", "\x05km905\x00\x00\x00\x00");
    EXPECT_FALSE(list.open(m_home.path() + "/bad.MemDat"));
    EXPECT_EQ(ui.messages, QStringList({"Invalid Format!"}));
    EXPECT_TRUE(list.takeRecords().rows.empty());
    const QString good = m_home.path() + "/one.MemDat";
    putFile(good, golden("general-250lux.MemDat"));
    ASSERT_TRUE(list.open(good));
    EXPECT_EQ(list.listPath(), good);
    const std::vector<QStringList> rows = list.takeRecords().rows;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][3], "General");
    EXPECT_EQ(rows[0][4], "01/02/19 10:20:30");
    EXPECT_TRUE(list.takeRecords().rows.empty());
}
