#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "RecordingInteraction.h"
#include "TestData.h"
#include "files/GraphFile.h"
#include "files/OpenFiles.h"
#include "files/SaveSequences.h"
#include "files/TextExport.h"

using namespace km905;
using namespace km905::test;

namespace {
class Saving : public testing::Test {
  protected:
    void SetUp() override {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_home.path().toLocal8Bit());
        m_folder = m_home.path() + "/Documents/KM905";
        QDir().mkpath(m_folder);
        m.doc.m_memCount = 1;
        m.doc.m_memValues[0] = 250.0f;
        m.doc.m_memModes[0] = "General";
        m.doc.m_memTimes[0] = "01/02/19 10:20:30";
    }
    void TearDown() override { qputenv("HOME", m_oldHome); }
    QStringList folderEntries() const {
        QStringList l = QDir(m_folder).entryList(QDir::Files);
        l.sort();
        return l;
    }

    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QString m_folder;
    MeterModel m;
    RecordingInteraction ui;
    const qint64 kNow = 1765188309;  // 2025-12-08 10:05:09 UTC
};
}  // namespace

TEST_F(Saving, TheListSaveWritesBothFilesInTheDataFolder) {
    ui.fileAnswers.push_back(m_folder + "/Office");  // typed without an extension
    EXPECT_EQ(saveMemoryList(m, ui, kNow), SaveOutcome::Saved);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].folder, m_folder);
    EXPECT_EQ(ui.dialogs[0].proposedName, "12-08-25 10.05.09");
    EXPECT_EQ(ui.dialogs[0].filter, "Memory Files (*.MemDat)");
    EXPECT_EQ(ui.dialogs[0].defaultSuffix, "MemDat");
    EXPECT_EQ(fileBytes(m_folder + "/Office.MemDat"), golden("general-250lux.MemDat"));
    EXPECT_EQ(fileBytes(m_folder + "/Office.csv"), golden("general-250lux.csv"));
    EXPECT_EQ(ui.waitCursorOn, 1);
    EXPECT_EQ(folderEntries(), QStringList({"Office.MemDat", "Office.csv"}));
}

TEST_F(Saving, CancelWritesNothingAndFileListsAreNotSavedAgain) {
    EXPECT_EQ(saveMemoryList(m, ui, kNow), SaveOutcome::Cancelled);
    EXPECT_TRUE(folderEntries().isEmpty());
    m.view.m_memListFromFile = 1;
    ui.fileAnswers.push_back(m_folder + "/x.MemDat");
    EXPECT_EQ(saveMemoryList(m, ui, kNow), SaveOutcome::NotAllowed);
    EXPECT_EQ(ui.dialogs.size(), 1u);  // no second dialog
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(Saving, AFailedWriteLeavesTheOldFilesAsTheyWere) {
    putFile(m_folder + "/Old.MemDat", "old list");
    putFile(m_folder + "/Old.csv", "old export");
    int calls = 0;
    auto failSecond = [&](QIODevice& f, const QByteArray& b) {
        if (++calls == 2) {
            f.write(b.left(3));
            return false;
        }
        return plainWrite(f, b);
    };
    ui.fileAnswers.push_back(m_folder + "/Old.MemDat");
    EXPECT_EQ(saveMemoryList(m, ui, kNow, failSecond), SaveOutcome::Failed);
    EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), "old list");
    EXPECT_EQ(fileBytes(m_folder + "/Old.csv"), "old export");
    EXPECT_EQ(folderEntries(), QStringList({"Old.MemDat", "Old.csv"}));  // no leftovers
    EXPECT_TRUE(ui.messages.isEmpty());

    ui.fileAnswers.push_back(m_folder + "/Old.MemDat");
    EXPECT_EQ(saveMemoryList(m, ui, kNow), SaveOutcome::Saved);  // a good save replaces both
    EXPECT_EQ(fileBytes(m_folder + "/Old.MemDat"), golden("general-250lux.MemDat"));
}

TEST_F(Saving, TheLoggerSaveIsNamedAfterTheGraphsStart) {
    GraphReadResult r = readGraphFile(golden("three-fc.AsmDat"));
    graphToDocument(r, m.doc);
    ui.fileAnswers.push_back(m_folder + "/Test.AsmDat");
    EXPECT_EQ(saveLoggerGraph(m.doc, ui), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[0].proposedName, "03-01-26 08.15.30");
    EXPECT_EQ(ui.dialogs[0].filter, "DataLogger Files (*.AsmDat)");
    EXPECT_EQ(fileBytes(m_folder + "/Test.AsmDat"), golden("three-fc.AsmDat"));
    EXPECT_EQ(fileBytes(m_folder + "/Test.csv"), golden("three-fc.csv"));
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
    ui.fileAnswers.push_back(m_folder + "/Run.AsmDat");
    EXPECT_EQ(saveRealtimeRecording(m, ui, kNow), SaveOutcome::Saved);
    EXPECT_EQ(ui.dialogs[0].proposedName, "12-08-25 10.05.09");
    const GraphReadResult back = readGraphFile(fileBytes(m_folder + "/Run.AsmDat"));
    EXPECT_EQ(back.record.headerCount, 2);
    EXPECT_EQ(back.record.readings, (std::vector<float>{250, 250, 1234.5f}));
    EXPECT_EQ(fileBytes(m_folder + "/Run.csv"), realtimeExport(m));
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
    EXPECT_EQ(m.doc.m_fileCount, 3);
    EXPECT_EQ(m.doc.m_fileScale, 4000);
}
