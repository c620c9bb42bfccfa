// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "RecordingInteraction.h"
#include "ScratchFolders.h"
#include "TestData.h"
#include "core/app/OpenFiles.h"
#include "core/app/Settings.h"
#include "core/logger/LoggerWindow.h"
#include "core/logger/OpenChooser.h"

using namespace km905;
using namespace km905::test;

namespace {
using Shown = ListSelection::Shown;

class Logger : public testing::Test {
  protected:
    void SetUp() override { m_folder = settings().dataFolder(); }
    const Settings& settings() const { return m_home.settings(); }

    // Three records as a download leaves them: 2 readings in lux every 5 s, 3 in
    // foot-candles every 5 s, 1 in lux every 60 s; the value array is longer than the samples.
    void downloadThreeRecords() {
        CDTDoc& d = m.doc;
        d.m_logStartTimes = {
            {2026, 3, 1, 8, 15, 30}, {2026, 3, 2, 9, 0, 5}, {2026, 3, 3, 23, 59, 59}};
        d.m_logRecUnit = {0, 1, 0};
        d.m_logRecRate = {5, 5, 60};
        d.m_logRecStart = {0, 2, 5, 6};
        d.m_logValues = {100.0f, 200.0f, 10.5f, 21.25f, 32.0f, 400.0f, 0, 0, 0, 0, 0, 0};
        d.m_logRecGain = {4000, 40, 400};
        d.m_logRecordCount = 3;
        m.view.m_logDataNew = 1;
        m.view.m_logListPending = 1;
        m.view.m_logFromFile = 0;
    }

    QString copyGolden(const QString& golden, const QString& name) {
        const QString path = m_home.path() + "/" + name;
        putFile(path, km905::test::golden(golden));
        return path;
    }

    QStringList iniLines() const {
        QFile f(m_folder + "/KM905.ini");
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }

    ScratchHome m_home;  // the data folder in its Documents
    QString m_folder;
    MeterModel m;
    RecordingInteraction ui;
};

int32_t int32At(const QByteArray& b, int offset) {
    return static_cast<int32_t>(static_cast<uint8_t>(b[offset]) |
                                static_cast<uint8_t>(b[offset + 1]) << 8 |
                                static_cast<uint8_t>(b[offset + 2]) << 16 |
                                static_cast<uint32_t>(static_cast<uint8_t>(b[offset + 3])) << 24);
}
}  // namespace

// The record list in download mode.

TEST_F(Logger, AThreeRecordDownloadListsEachRecordWithItsOwnTexts) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.state().mode, LoggerMode::Download);
    EXPECT_EQ(m.view.m_logWindowShown, 1);
    EXPECT_EQ(m.view.m_logListPending, 0);
    const std::vector<QStringList> rows = w.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], QStringList({"1", "03/01/26 08:15:30", "Lux", "5sec", "2"}));
    EXPECT_EQ(rows[1], QStringList({"2", "03/02/26 09:00:05", "FC", "5sec", "3"}));
    EXPECT_EQ(rows[2], QStringList({"3", "03/03/26 23:59:59", "Lux", "60sec", "1"}));
    EXPECT_EQ(m.doc.fileCount(), 0);  // nothing shown until a row is chosen
    EXPECT_FALSE(w.syncList());       // once per download
    EXPECT_EQ(w.rows().size(), 3u);
}

TEST_F(Logger, TheColumnsAreTheFiveOfTheList) {
    const char* captions[] = {"Set", "Time", "Unit", "Sampling Rate", "Nums"};
    const int widths[] = {50, 130, 55, 110, 150};
    for (int c = 0; c < 5; ++c) {
        EXPECT_STREQ(kLoggerListColumns[c].caption, captions[c]);
        EXPECT_EQ(kLoggerListColumns[c].width, widths[c]);
    }
}

TEST_F(Logger, ChoosingTheSecondRowShowsTheSecondRecordOnly) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    const ListSelection s = w.doubleClick(1);
    EXPECT_EQ(s.shown, Shown::Record);
    EXPECT_EQ(s.index, 1);
    EXPECT_TRUE(s.restoreFullView);
    EXPECT_EQ(w.state().m_logSelRecord, 1);
    const CDTDoc& d = m.doc;
    ASSERT_EQ(d.fileCount(), 3);
    EXPECT_EQ(d.m_file.readings[0], 10.5f);
    EXPECT_EQ(d.m_file.readings[1], 21.25f);
    EXPECT_EQ(d.m_file.readings[2], 32.0f);
    EXPECT_EQ(d.m_file.unitFC, 1);
    EXPECT_EQ(d.m_file.rateSecs, 5);
    EXPECT_EQ(d.m_file.scale, 40);  // the window's gain: no settings file
    EXPECT_EQ(d.m_file.start.year, 2026);
    EXPECT_EQ(d.m_file.start.month, 3);
    EXPECT_EQ(d.m_file.start.day, 2);
    EXPECT_EQ(d.m_file.start.hour, 9);
    EXPECT_EQ(d.m_file.start.minute, 0);
    EXPECT_EQ(d.m_file.start.second, 5);
    EXPECT_EQ(d.m_fileStartTime, 1772442005);  // 2026-03-02 09:00:05 UTC

    EXPECT_EQ(w.doubleClick(2).shown, Shown::Record);
    EXPECT_EQ(d.fileCount(), 1);
    EXPECT_EQ(d.m_file.readings[0], 400.0f);
    EXPECT_EQ(d.m_file.unitFC, 0);
    EXPECT_EQ(d.m_file.rateSecs, 60);
}

TEST_F(Logger, ADoubleClickWithoutARowHidesTheGraphAndLeavesNothingToSave) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    w.doubleClick(0);
    EXPECT_EQ(m.doc.fileCount(), 2);
    const ListSelection s = w.doubleClick(-1);
    EXPECT_EQ(s.shown, Shown::Nothing);
    EXPECT_TRUE(s.restoreFullView);
    EXPECT_EQ(w.state().m_logSelRecord, -1);
    EXPECT_EQ(m.doc.fileCount(), 0);
    EXPECT_EQ(w.save(), SaveOutcome::NotAllowed);
    EXPECT_EQ(ui.messages, QStringList({"Please select the record item that you want to save."}));
}

TEST_F(Logger, ADownloadWithoutRecordsListsNothing) {
    m.view.m_logListPending = 1;
    m.view.m_logDataNew = 1;
    LoggerWindow w(m, ui, settings());
    EXPECT_TRUE(w.rows().empty());
    EXPECT_EQ(w.doubleClick(0).shown, Shown::Nothing);
    EXPECT_EQ(m.doc.fileCount(), 0);
}

TEST_F(Logger, RecordsAreNotListedWithoutAPendingDownloadNorInFileMode) {
    downloadThreeRecords();
    m.view.m_logListPending = 0;
    {
        LoggerWindow w(m, ui, settings());
        EXPECT_TRUE(w.rows().empty());
    }
    m.view.m_logListPending = 1;
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.state().mode, LoggerMode::File);
    EXPECT_TRUE(w.rows().empty());
}

TEST_F(Logger, ADamagedRecordNeverReadsPastTheValues) {
    downloadThreeRecords();
    m.doc.m_logRecStart = {0, 2, 5, 40};  // the last record claims more than was stored
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.rows()[2][4], "35");
    EXPECT_EQ(w.doubleClick(2).shown, Shown::Record);
    EXPECT_EQ(m.doc.fileCount(), 7);  // the 12 values from index 5
}

// The record list in file mode.

TEST_F(Logger, AFileShowsItsHeaderCountAndReselectingUsesOnlyItsStoredReadings) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {copyGolden("three-lux-header7.AsmDat", "h7.AsmDat")};
    const LoggerOpenResult r = w.openGraph();
    EXPECT_EQ(r.outcome, OpenOutcome::Opened);
    EXPECT_TRUE(r.rowsChanged);
    ASSERT_EQ(w.rows().size(), 1u);
    EXPECT_EQ(w.rows()[0], QStringList({"1", "03/01/26 08:15:30", "Lux", "2sec", "7"}));
    EXPECT_EQ(m.doc.fileCount(), 3);
    EXPECT_EQ(m.doc.m_fileStartTime, 1772352930);  // 2026-03-01 08:15:30 UTC
    EXPECT_EQ(m.view.m_fileNew, 0);

    m.doc.m_file.readings.clear();
    const ListSelection s = w.doubleClick(0);
    EXPECT_EQ(s.shown, Shown::FileEntry);
    EXPECT_EQ(w.list().fileListSel(), 0);
    ASSERT_EQ(m.doc.fileCount(), 3);  // 7 promised, 3 stored
    EXPECT_EQ(m.doc.m_file.readings[0], 250.0f);
    EXPECT_EQ(m.doc.m_file.readings[1], 1234.5f);
    EXPECT_EQ(m.doc.m_file.readings[2], 5000000.0f);
}

TEST_F(Logger, AHeaderCountBelowTheReadingsLimitsTheReselectedGraph) {
    QByteArray bytes = golden("three-lux.AsmDat");
    bytes[6] = 2;  // header count 2 beside 3 readings
    const QString path = m_home.path() + "/h2.AsmDat";
    putFile(path, bytes);
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {path};
    w.openGraph();
    EXPECT_EQ(w.rows()[0][4], "2");
    EXPECT_EQ(m.doc.fileCount(), 3);  // as read
    w.doubleClick(0);
    EXPECT_EQ(m.doc.fileCount(), 2);
}

TEST_F(Logger, ReselectingAnEarlierFileShowsItAgain) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "a.AsmDat"),
                      copyGolden("three-fc.AsmDat", "b.AsmDat")};
    w.openGraph();
    w.openGraph();
    ASSERT_EQ(w.rows().size(), 2u);
    EXPECT_EQ(w.rows()[1], QStringList({"2", "03/01/26 08:15:30", "FC", "2sec", "3"}));
    EXPECT_EQ(m.doc.m_file.unitFC, 1);
    m.doc.m_fileStartTime = 0;
    EXPECT_EQ(w.doubleClick(0).shown, Shown::FileEntry);
    EXPECT_EQ(m.doc.m_file.unitFC, 0);
    EXPECT_EQ(m.doc.m_file.rateSecs, 2);
    EXPECT_EQ(m.doc.m_fileStartTime, 1772352930);
    EXPECT_EQ(m.doc.m_file.scale, 400);  // the scale is not taken back from the entry

    const ListSelection outside = w.doubleClick(2);
    EXPECT_EQ(outside.shown, Shown::Unchanged);
    EXPECT_TRUE(outside.restoreFullView);
    EXPECT_EQ(m.doc.m_file.unitFC, 0);
    EXPECT_EQ(w.list().fileListSel(), 2);
}

TEST_F(Logger, TheSameFileOpenedTwiceGivesTwoRows) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    const QString path = copyGolden("three-lux.AsmDat", "a.AsmDat");
    ui.fileAnswers = {path, path};
    w.openGraph();
    w.openGraph();
    const std::vector<QStringList> rows = w.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], QStringList({"1", "03/01/26 08:15:30", "Lux", "2sec", "3"}));
    EXPECT_EQ(rows[1], QStringList({"2", "03/01/26 08:15:30", "Lux", "2sec", "3"}));
}

TEST_F(Logger, TheHundredAndFirstFileStartsANewList) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    const QString path = copyGolden("three-lux.AsmDat", "a.AsmDat");
    for (int i = 0; i < 100; ++i) ui.fileAnswers.push_back(path);
    for (int i = 0; i < 100; ++i) w.openGraph();
    ASSERT_EQ(w.rows().size(), 100u);
    EXPECT_EQ(w.rows()[99][0], "100");
    EXPECT_EQ(w.list().fileListLast(), 99);
    ui.fileAnswers = {copyGolden("three-fc.AsmDat", "b.AsmDat")};
    w.openGraph();
    const std::vector<QStringList> rows = w.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], QStringList({"1", "03/01/26 08:15:30", "FC", "2sec", "3"}));
    EXPECT_EQ(w.list().fileListLast(), 0);
    EXPECT_EQ(w.list().fileEntries().size(), 1u);
}

TEST_F(Logger, AFileReadBeforeADownloadWindowIsListedFirstAndTakesTheFileBranch) {
    openGraphFile(copyGolden("three-lux.AsmDat", "a.AsmDat"), m, ui);
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    const std::vector<QStringList> rows = w.rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][2], "Lux");
    EXPECT_EQ(rows[0][3], "2sec");
    EXPECT_EQ(rows[1][0], "1");
    EXPECT_EQ(rows[1][3], "5sec");
    EXPECT_EQ(m.doc.fileCount(), 3);  // the file is shown
    EXPECT_EQ(w.doubleClick(0).shown, Shown::FileEntry);
    EXPECT_EQ(w.doubleClick(2).shown, Shown::Unchanged);
    EXPECT_EQ(w.state().m_logSelRecord, -1);
}

// Opening and closing.

TEST_F(Logger, TheYScaleComesFromTheSettingsFileWithDefaultsOutsideTheTable) {
    {
        LoggerWindow w(m, ui, settings());  // no settings file: positions 1 and 0
        EXPECT_EQ(w.state().m_gainValue, 40);
        EXPECT_EQ(w.state().m_offsetSteps, 0);
    }
    putFile(m_folder + "/KM905.ini",
            "[YGAINInfo]\r\nGAIN num=4\r\n[YOFFSETInfo]\r\nOFFSET num=5\r\n");
    {
        LoggerWindow w(m, ui, settings());
        EXPECT_EQ(w.state().m_gainValue, 40000);
        EXPECT_EQ(w.state().m_offsetSteps, 10);
    }
    putFile(m_folder + "/KM905.ini",
            "[YGAINInfo]\r\nGAIN num=9\r\n[YOFFSETInfo]\r\nOFFSET num=-1\r\n");
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.state().m_gainSel, 9);
    EXPECT_EQ(w.state().m_offsetSel, -1);
    EXPECT_EQ(w.state().m_gainValue, 40);
    EXPECT_EQ(w.state().m_offsetSteps, 0);
}

TEST_F(Logger, ClosingClearsTheFlagsAndReleasesANewDownload) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    w.doubleClick(1);
    m.view.m_fileLoaded = 1;
    m.view.m_fileNew = 1;
    w.close();
    EXPECT_EQ(m.view.m_logWindowShown, 0);
    EXPECT_EQ(m.view.m_logListPending, 0);
    EXPECT_EQ(m.view.m_logFromFile, 0);
    EXPECT_EQ(m.view.m_fileLoaded, 0);
    EXPECT_EQ(m.view.m_fileNew, 0);
    EXPECT_EQ(w.state().m_logSelRecord, -1);
    EXPECT_EQ(m.view.m_logDataNew, 0);
    EXPECT_EQ(m.doc.m_logRecordCount, 0);
    EXPECT_TRUE(m.doc.m_logValues.empty());
    EXPECT_TRUE(m.doc.m_logStartTimes.empty());
    EXPECT_TRUE(m.doc.m_logRecStart.empty());
    EXPECT_TRUE(w.rows().empty());
}

TEST_F(Logger, ClosingKeepsArraysThatAreNotNew) {
    downloadThreeRecords();
    m.view.m_logDataNew = 0;
    LoggerWindow w(m, ui, settings());
    w.close();
    EXPECT_EQ(m.doc.m_logRecordCount, 3);
    EXPECT_EQ(m.doc.m_logValues.size(), 12u);
}

TEST_F(Logger, AfterClosingTheFileListStartsAgainAtRowOne) {
    const QString path = copyGolden("three-lux.AsmDat", "a.AsmDat");
    m.view.m_logFromFile = 1;
    {
        LoggerWindow w(m, ui, settings());
        ui.fileAnswers = {path, path};
        w.openGraph();
        w.openGraph();
        EXPECT_EQ(w.list().fileListLast(), 1);
        w.close();
        EXPECT_EQ(w.list().fileListLast(), -1);
    }
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(m.doc.fileCount(), 0);
    ui.fileAnswers = {path};
    w.openGraph();
    ASSERT_EQ(w.rows().size(), 1u);
    EXPECT_EQ(w.rows()[0][0], "1");
}

// Save.

TEST_F(Logger, SaveWithNothingShownAsksForARecord) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.save(), SaveOutcome::NotAllowed);
    EXPECT_EQ(ui.messages, QStringList({"Please select the record item that you want to save."}));
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(Logger, SaveInFileModeDoesNothing) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.save(), SaveOutcome::NotAllowed);  // nothing shown
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "a.AsmDat")};
    w.openGraph();
    ASSERT_EQ(m.doc.fileCount(), 3);
    ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    EXPECT_EQ(w.save(), SaveOutcome::NotAllowed);  // a file shown
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(ui.dialogs.size(), 1u);  // the open dialog only
    EXPECT_TRUE(QDir(m_folder).entryList({"*.AsmDat"}).isEmpty());
}

TEST_F(Logger, SaveWritesTheChosenRecordNamedAfterItsStartWithTheGainOfTheDoubleClick) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    w.doubleClick(1);
    ui.yAxisAnswers = {{3, 2}};  // changed after the choice: the saved scale stays 40
    ASSERT_TRUE(w.yAxis());
    ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    EXPECT_EQ(w.save(), SaveOutcome::Saved);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].proposedName, "03-02-26 09.00.05");
    EXPECT_EQ(ui.dialogs[0].folder, m_folder);
    const QByteArray bytes = fileBytes(m_folder + "/03-02-26 09.00.05.AsmDat");
    ASSERT_EQ(bytes.size(), 47 + 4 * 3);
    const QByteArray expected = QByteArray::fromHex(
        "054b4d393035"  // magic
        "03000000"
        "03000000"  // header count, N
        "00002841"
        "0000aa41"
        "00000042"  // 10.5, 21.25, 32
        "28000000"  // scale 40
        "01"        // foot-candles
        "ea070000"
        "03000000"
        "02000000"
        "09000000"
        "00000000"
        "05000000"
        "05000000");  // every 5 s
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(int32At(bytes, 14 + 12), 40);
    EXPECT_TRUE(QFile::exists(m_folder + "/03-02-26 09.00.05.csv"));
}

// Open in file mode.

TEST_F(Logger, TheOpenDialogOffersGraphAndCh4FilesAndAddsTheExtension) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    copyGolden("three-lux.AsmDat", "run.AsmDat");
    ui.fileAnswers = {m_home.path() + "/run"};  // typed without an extension
    const LoggerOpenResult r = w.openGraph();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "DataLogger Files (*.AsmDat);;CH4 Files (*.CH4)");
    EXPECT_EQ(ui.dialogs[0].defaultSuffix, "AsmDat");
    EXPECT_EQ(ui.dialogs[0].folder, m_folder);
    EXPECT_TRUE(r.restoreFullView);
    EXPECT_EQ(r.outcome, OpenOutcome::Opened);
    EXPECT_EQ(w.state().g_lastGraphPath, m_home.path() + "/run.AsmDat");
    EXPECT_EQ(w.rows().size(), 1u);
}

TEST_F(Logger, ACh4FileWithTheRightMagicOpensInAnyLetterCase) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "x.CH4"),
                      copyGolden("three-fc.AsmDat", "y.ch4")};
    EXPECT_EQ(w.openGraph().outcome, OpenOutcome::Opened);
    EXPECT_EQ(m.doc.fileCount(), 3);
    EXPECT_EQ(w.openGraph().outcome, OpenOutcome::Opened);
    EXPECT_EQ(w.rows().size(), 2u);
    EXPECT_EQ(w.state().g_lastGraphPath, m_home.path() + "/y.ch4");
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(Logger, AWrongMagicIsRefusedAndTheGraphStays) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "a.AsmDat")};
    w.openGraph();
    QByteArray bytes = golden("three-fc.AsmDat");
    bytes[5] = '6';  // "KM906"
    putFile(m_home.path() + "/other.AsmDat", bytes);
    ui.fileAnswers = {m_home.path() + "/other.AsmDat"};
    const LoggerOpenResult r = w.openGraph();
    EXPECT_EQ(r.outcome, OpenOutcome::InvalidFormat);
    EXPECT_FALSE(r.rowsChanged);
    EXPECT_EQ(ui.messages, QStringList({"Invalid Format!"}));
    EXPECT_EQ(w.rows().size(), 1u);
    EXPECT_EQ(m.doc.m_file.unitFC, 0);
    EXPECT_EQ(m.doc.m_file.readings[1], 1234.5f);
}

TEST_F(Logger, ACancelledOpenOnlyReturnsToTheFullView) {
    m.view.m_logFromFile = 1;
    LoggerWindow w(m, ui, settings());
    const LoggerOpenResult r = w.openGraph();
    EXPECT_TRUE(r.restoreFullView);
    EXPECT_FALSE(r.dialogAccepted);
    EXPECT_FALSE(r.outcome.has_value());
    EXPECT_FALSE(r.rowsChanged);
    EXPECT_TRUE(w.rows().empty());
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(m.view.m_fileLoaded, 0);
}

TEST_F(Logger, TheOpenButtonDoesNothingInDownloadMode) {
    downloadThreeRecords();
    LoggerWindow w(m, ui, settings());
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "a.AsmDat")};
    const LoggerOpenResult r = w.openGraph();
    EXPECT_FALSE(r.restoreFullView);
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(w.rows().size(), 3u);
}

// Y axis.

TEST_F(Logger, YAxisPositionsAreMappedAndBothWrittenToTheSettings) {
    LoggerWindow w(m, ui, settings());
    ui.yAxisAnswers = {{3, 2}};
    EXPECT_TRUE(w.yAxis());
    EXPECT_EQ(ui.yAxisShown.back(), std::make_pair(1, 0));  // no settings file yet
    EXPECT_EQ(w.state().m_gainValue, 4000);
    EXPECT_EQ(w.state().m_offsetSteps, 4);
    const std::array<float, 11> axis = w.state().yAxisValues();
    EXPECT_EQ(axis[0], 16000.0f);
    EXPECT_EQ(axis[1], 20000.0f);
    EXPECT_EQ(axis[10], 56000.0f);
    EXPECT_TRUE(iniLines().contains("GAIN num=3"));
    EXPECT_TRUE(iniLines().contains("OFFSET num=2"));
}

TEST_F(Logger, OkWithoutAGainWritesMinusOneAndKeepsTheGain) {
    LoggerWindow w(m, ui, settings());
    ui.yAxisAnswers = {{3, 2}, {-1, 5}, {6, -1}};
    w.yAxis();
    EXPECT_TRUE(w.yAxis());
    EXPECT_EQ(ui.yAxisShown.back(), std::make_pair(3, 2));
    EXPECT_EQ(w.state().m_gainValue, 4000);
    EXPECT_EQ(w.state().m_offsetSteps, 10);
    EXPECT_TRUE(iniLines().contains("GAIN num=-1"));
    EXPECT_TRUE(iniLines().contains("OFFSET num=5"));
    EXPECT_TRUE(w.yAxis());  // an empty gain entry and no offset
    EXPECT_EQ(w.state().m_gainValue, 4000);
    EXPECT_EQ(w.state().m_offsetSteps, 10);
    EXPECT_TRUE(iniLines().contains("GAIN num=6"));
    EXPECT_TRUE(iniLines().contains("OFFSET num=-1"));
}

TEST_F(Logger, EscapeInTheYAxisDialogChangesNothing) {
    LoggerWindow w(m, ui, settings());
    EXPECT_FALSE(w.yAxis());
    EXPECT_EQ(w.state().m_gainValue, 40);
    EXPECT_FALSE(QFile::exists(m_folder + "/KM905.ini"));
}

// The Open command's chooser.

TEST_F(Logger, TheGraphButtonReadsAGraphFileAndOpensTheWindowInFileMode) {
    ui.fileAnswers = {copyGolden("three-lux.AsmDat", "a.AsmDat")};
    EXPECT_EQ(chooseAndOpen(settings(), ChooserButton::GraphFile, m, ui), WindowToOpen::Datalogger);
    EXPECT_EQ(ui.waitCursor, (std::vector<bool>{true, false}));  // shown while reading
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "DataLogger Files (*.AsmDat);;CH4 Files (*.CH4)");
    EXPECT_EQ(ui.dialogs[0].defaultSuffix, "AsmDat");
    EXPECT_EQ(m.view.m_logFromFile, 1);
    LoggerWindow w(m, ui, settings());
    EXPECT_EQ(w.state().mode, LoggerMode::File);
    EXPECT_EQ(m.doc.fileCount(), 3);  // the file read stays shown
    ASSERT_EQ(w.rows().size(), 1u);
    EXPECT_EQ(w.rows()[0], QStringList({"1", "03/01/26 08:15:30", "Lux", "2sec", "3"}));
}

TEST_F(Logger, TheListButtonReadsAListFileAndOpensTheMemoryList) {
    copyGolden("general-250lux.MemDat", "office.MemDat");
    ui.fileAnswers = {m_home.path() + "/office"};  // typed without an extension
    EXPECT_EQ(chooseAndOpen(settings(), ChooserButton::ListFile, m, ui), WindowToOpen::MemoryList);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "Memory Files (*.MemDat)");
    EXPECT_EQ(ui.dialogs[0].defaultSuffix, "MemDat");
    EXPECT_EQ(m.view.m_memListFromFile, 1);
    EXPECT_EQ(m.view.m_memListLoaded, 1);
    EXPECT_EQ(m.view.m_logFromFile, 0);
    EXPECT_EQ(m.doc.m_memCount, 1);
    EXPECT_EQ(m.doc.m_memValues[0], 250.0f);
}

// A file the program is started with (the file manager's double-click) goes by its suffix.
TEST_F(Logger, AGivenFileOpensTheWindowItsSuffixNamesWithoutADialog) {
    const QString graph = copyGolden("three-lux.AsmDat", "a.ASMDAT");
    EXPECT_EQ(openGivenFile(graph, m, ui), WindowToOpen::Datalogger);
    EXPECT_EQ(m.view.m_logFromFile, 1);
    EXPECT_EQ(m.doc.fileCount(), 3);
    const QString list = copyGolden("general-250lux.MemDat", "office.MemDat");
    EXPECT_EQ(openGivenFile(list, m, ui), WindowToOpen::MemoryList);
    EXPECT_EQ(m.view.m_memListFromFile, 1);
    ASSERT_EQ(m.doc.m_memCount, 1);
    EXPECT_EQ(m.doc.m_memValues[0], 250.0f);
    EXPECT_TRUE(ui.dialogs.empty());
    putFile(m_home.path() + "/notes.MemDat", "not a list");
    EXPECT_EQ(openGivenFile(m_home.path() + "/notes.MemDat", m, ui), WindowToOpen::None);
}

// Several files given at once: each list file in a memory list window of its own, every graph
// file in the one datalogger window, which opens where the first graph file was given.
TEST_F(Logger, GivenFilesAreSharedOutAmongTheWindowsInTheOrderGiven) {
    const std::vector<GivenOpening> plan =
        planGivenFiles({"a.MemDat", "x.AsmDat", "b.memdat", "y.CH4", "notes", "z.asmdat"});
    ASSERT_EQ(plan.size(), 4u);
    EXPECT_EQ(plan[0].window, WindowToOpen::MemoryList);
    EXPECT_EQ(plan[0].paths, QStringList({"a.MemDat"}));
    EXPECT_EQ(plan[1].window, WindowToOpen::Datalogger);
    EXPECT_EQ(plan[1].paths, QStringList({"x.AsmDat", "y.CH4", "z.asmdat"}));
    EXPECT_EQ(plan[2].window, WindowToOpen::MemoryList);
    EXPECT_EQ(plan[2].paths, QStringList({"b.memdat"}));
    EXPECT_EQ(plan[3].window, WindowToOpen::MemoryList);  // read as a list, or refused
    EXPECT_EQ(plan[3].paths, QStringList({"notes"}));
}

// The first graph file given is missing: named in a message; the next opens the window, and the
// one after becomes its second row and the graph shown.
TEST_F(Logger, GivenGraphFilesPastAMissingOneAreRowsOfOneWindow) {
    const QString lux = copyGolden("three-lux.AsmDat", "lux.AsmDat");
    const QString fc = copyGolden("three-fc.AsmDat", "fc.AsmDat");
    GivenOpening o{WindowToOpen::Datalogger, {m_home.path() + "/gone.AsmDat", lux, fc}};
    EXPECT_EQ(openFirstGiven(o, m, ui), WindowToOpen::Datalogger);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith("The file \"gone.AsmDat\" could not be opened: "))
        << ui.messages[0].toStdString();
    EXPECT_EQ(o.paths, QStringList({fc}));
    LoggerWindow w(m, ui, settings());
    EXPECT_TRUE(w.openFiles(o.paths));
    ASSERT_EQ(w.rows().size(), 2u);
    EXPECT_EQ(w.rows()[0], QStringList({"1", "03/01/26 08:15:30", "Lux", "2sec", "3"}));
    EXPECT_EQ(w.rows()[1], QStringList({"2", "03/01/26 08:15:30", "FC", "2sec", "3"}));
    EXPECT_EQ(m.doc.m_file.unitFC, 1);
    EXPECT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(Logger, ACancelledOrRefusedChoiceOpensNoWindow) {
    EXPECT_EQ(chooseAndOpen(settings(), ChooserButton::GraphFile, m, ui), WindowToOpen::None);
    EXPECT_EQ(chooseAndOpen(settings(), ChooserButton::ListFile, m, ui), WindowToOpen::None);
    QByteArray bytes = golden("three-lux.AsmDat");
    bytes[1] = 'X';
    putFile(m_home.path() + "/bad.AsmDat", bytes);
    ui.fileAnswers = {m_home.path() + "/bad.AsmDat"};
    EXPECT_EQ(chooseAndOpen(settings(), ChooserButton::GraphFile, m, ui), WindowToOpen::None);
    EXPECT_EQ(ui.messages, QStringList({"Invalid Format!"}));
    EXPECT_EQ(ui.waitCursor, (std::vector<bool>{true, false}));  // only the file read shows it
    EXPECT_EQ(m.view.m_logFromFile, 0);
    EXPECT_EQ(m.view.m_memListFromFile, 0);
    EXPECT_EQ(m.view.m_fileLoaded, 0);
}
