// SPDX-License-Identifier: GPL-3.0-or-later
// The survey's grid kept by list file name, the remembered report details, and the report's
// save sequence.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "RecordingInteraction.h"
#include "ScratchFolders.h"
#include "core/app/Settings.h"
#include "core/survey/RequirementChoice.h"
#include "core/survey/SurveyReportSave.h"
#include "core/survey/SurveySettings.h"

using namespace km905;
using namespace km905::test;

namespace {
class SurveyHome : public testing::Test {
  protected:
    void SetUp() override {
        m_folder = m_home.path() + "/out";
        QDir().mkpath(m_folder);
    }
    const Settings& settings() const { return m_home.settings(); }
    QByteArray iniBytes() const {
        QFile f(settings().iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    ScratchHome m_home;  // the data folder in its Documents
    QString m_folder;
};

const GridShape k4x3Snake{4, 3, GridOrder::Serpentine};

SurveyPdfMaker fakePdf(int* calls = nullptr) {
    return [calls](const ReportDetails& d) -> std::optional<QByteArray> {
        if (calls) ++*calls;
        return QByteArray("%PDF-1.4 ") + d.title.toUtf8();
    };
}
}  // namespace

#ifndef _WIN32  // Unix paths; Windows keys are the same whole paths with a drive
TEST_F(SurveyHome, TheGridIsKeptByTheListFilesWholePath) {
    EXPECT_FALSE(readSurveyGrid(settings(), "/lists/12-07-26 10.20.30.MemDat"));
    ASSERT_TRUE(writeSurveyGrid(settings(), "/lists/12-07-26 10.20.30.MemDat", k4x3Snake));
    EXPECT_EQ(readSurveyGrid(settings(), "/lists/12-07-26 10.20.30.MemDat"), k4x3Snake);
    EXPECT_EQ(readSurveyGrid(settings(), "/lists/./old/..//12-07-26 10.20.30.MemDat"), k4x3Snake);
    // A list of the same name in another folder is another list.
    EXPECT_FALSE(readSurveyGrid(settings(), "/copied/elsewhere/12-07-26 10.20.30.MemDat"));
    EXPECT_FALSE(readSurveyGrid(settings(), "/lists/12-07-26 10.20.31.MemDat"));
    EXPECT_FALSE(readSurveyGrid(settings(), ""));
    EXPECT_EQ(iniBytes(), "[SurveyGrids]\r\n/lists/12-07-26 10.20.30.MemDat=4x3 serpentine\r\n");
    // A second write changes its line only.
    ASSERT_TRUE(writeSurveyGrid(settings(), "/lists/12-07-26 10.20.30.MemDat",
                                {5, 2, GridOrder::RowByRow}));
    EXPECT_EQ(readSurveyGrid(settings(), "/lists/12-07-26 10.20.30.MemDat"),
              (GridShape{5, 2, GridOrder::RowByRow}));
    EXPECT_EQ(iniBytes(), "[SurveyGrids]\r\n/lists/12-07-26 10.20.30.MemDat=5x2 row\r\n");

    // A name given from the working folder, with a blank in front, is found again and
    // written once.
    const QString oldCwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder));
    ASSERT_TRUE(writeSurveyGrid(settings(), " a.MemDat", {2, 2, GridOrder::RowByRow}));
    ASSERT_TRUE(writeSurveyGrid(settings(), " a.MemDat", {3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(readSurveyGrid(settings(), " a.MemDat"), (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(readSurveyGrid(settings(), m_folder + "/ a.MemDat"),
              (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_FALSE(readSurveyGrid(settings(), "a.MemDat"));
    QDir::setCurrent(oldCwd);
    EXPECT_EQ(iniBytes(), "[SurveyGrids]\r\n/lists/12-07-26 10.20.30.MemDat=5x2 row\r\n" +
                              m_folder.toUtf8() + "/ a.MemDat=3x2 row\r\n");
#ifndef Q_OS_WIN
    // Letter case tells two files apart here.
    EXPECT_FALSE(readSurveyGrid(settings(), "/LISTS/12-07-26 10.20.30.MemDat"));
#endif
}
#endif

TEST_F(SurveyHome, AnUnsavedListsGridLivesWithItAndGoesWithItsSave) {
    ListGrid downloaded(settings());
    EXPECT_FALSE(downloaded.read(""));
    ASSERT_TRUE(downloaded.write("", {3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(downloaded.read(""), (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(iniBytes(), "");  // in memory only
    // The next download's window is not offered it.
    ListGrid next(settings());
    EXPECT_FALSE(next.read(""));
    downloaded.listSaved("", m_folder + "/Hall.MemDat");
    EXPECT_EQ(readSurveyGrid(settings(), m_folder + "/Hall.MemDat"),
              (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_EQ(downloaded.read(m_folder + "/Hall.MemDat"), (GridShape{3, 2, GridOrder::RowByRow}));
    EXPECT_FALSE(downloaded.read(""));
    // Saved again under another name, it takes its grid along; a list without a grid carries
    // nothing; a new download forgets the unsaved grid.
    downloaded.listSaved(m_folder + "/Hall.MemDat", m_folder + "/Hall 2.MemDat");
    EXPECT_EQ(readSurveyGrid(settings(), m_folder + "/Hall 2.MemDat"),
              (GridShape{3, 2, GridOrder::RowByRow}));
    downloaded.listSaved(m_folder + "/None.MemDat", m_folder + "/Other.MemDat");
    EXPECT_FALSE(readSurveyGrid(settings(), m_folder + "/Other.MemDat"));
    ASSERT_TRUE(downloaded.write("", k4x3Snake));
    downloaded.newDownload();
    EXPECT_FALSE(downloaded.read(""));
}

#ifndef _WIN32  // Unix paths; Windows keys are the same whole paths with a drive
TEST_F(SurveyHome, NamesThatWouldBreakTheLineAreEscaped) {
    EXPECT_EQ(surveyGridKey("/a/x=1 [b];%.MemDat"), "/a/x%3D1 %5Bb%5D%3B%25.MemDat");
    EXPECT_EQ(surveyGridKey("/a/B\u00fcro.MemDat "), "/a/B%C3%BCro.MemDat%20");
    ASSERT_TRUE(writeSurveyGrid(settings(), "/a/x=1 [b];%.MemDat", k4x3Snake));
    EXPECT_EQ(readSurveyGrid(settings(), "/a/x=1 [b];%.MemDat"), k4x3Snake);
    EXPECT_FALSE(readSurveyGrid(settings(), "/b/x=1 [b];%.MemDat"));
    EXPECT_FALSE(readSurveyGrid(settings(), "/a/x.MemDat"));
}
#endif

TEST_F(SurveyHome, ReportDetailsAreRememberedWordForWord) {
    EXPECT_EQ(readReportDetails(settings()), ReportDetails{});
    ReportDetails d{"Hall \"B\"", " Plant 4 ", "line 1\nline 2 \\n"};
    d.roomLength = 8;
    d.roomWidth = 6.5;
    d.planeHeight = 0.75;
    d.meterId = "SN 4711";
    ASSERT_TRUE(writeReportDetails(settings(), d));
    EXPECT_EQ(readReportDetails(settings()), d);
    EXPECT_EQ(iniBytes(),
              "[SurveyReport]\r\nTitle=\"Hall \"B\"\"\r\nSite=\" Plant 4 \"\r\n"
              "Notes=\"line 1\\nline 2 \\\\n\"\r\nRoom length=8\r\nRoom width=6.5\r\n"
              "Working plane=0.75\r\nMeter=\"SN 4711\"\r\n");
    // Sizes not given are kept empty and read back as none.
    ASSERT_TRUE(writeReportDetails(settings(), ReportDetails{"T", "", ""}));
    EXPECT_EQ(readReportDetails(settings()), (ReportDetails{"T", "", ""}));
    EXPECT_TRUE(iniBytes().contains("\r\nRoom length=\r\nRoom width=\r\nWorking plane=\r\n"));
}

#ifndef _WIN32  // Unix paths; Windows keys are the same whole paths with a drive
TEST_F(SurveyHome, TheReportIsProposedBesideItsListOrInTheDataFolder) {
    const FileDialogRequest beside =
        surveyReportRequest(settings(), "/data/lists/Hall B.MemDat", 0);
    EXPECT_EQ(beside.folder, "/data/lists");
    EXPECT_EQ(beside.proposedName, "Hall B survey.pdf");
    EXPECT_EQ(beside.filter, "PDF Files (*.pdf)");
    EXPECT_EQ(beside.defaultSuffix, "pdf");
    const FileDialogRequest unsaved = surveyReportRequest(settings(), "", 1765184400);  // 09:00 UTC
    EXPECT_EQ(unsaved.folder, m_home.path() + "/Documents/KM905");
    EXPECT_EQ(unsaved.proposedName, "12-08-25 09.00.00 survey.pdf");
}
#endif

TEST_F(SurveyHome, ReportAsksTheDetailsOnceThenANameAndWritesThePdf) {
    RecordingInteraction ui;
    ui.detailsAnswers = {ReportDetails{"Hall B", "Plant 4", "warm"}};
    ui.fileAnswers = {m_folder + "/hall"};
    QString saved;
    const FileDialogRequest req{m_folder, "x survey.pdf", kPdfFilter, kPdfSuffix};
    EXPECT_EQ(saveSurveyReport(settings(), ui, req, fakePdf(), FileSteps::real(), &saved),
              SaveOutcome::Saved);
    EXPECT_EQ(saved, m_folder + "/hall.pdf");
    EXPECT_EQ(fileBytes(m_folder + "/hall.pdf"), "%PDF-1.4 Hall B");
    EXPECT_TRUE(ui.messages.isEmpty());
    ASSERT_EQ(ui.detailsShown.size(), 1u);
    EXPECT_EQ(ui.detailsShown[0], ReportDetails{});
    // The next report offers what was written last.
    ui.detailsAnswers = {std::nullopt};
    EXPECT_EQ(saveSurveyReport(settings(), ui, req, fakePdf()), SaveOutcome::Cancelled);
    ASSERT_EQ(ui.detailsShown.size(), 2u);
    EXPECT_EQ(ui.detailsShown[1], (ReportDetails{"Hall B", "Plant 4", "warm"}));
    EXPECT_EQ(ui.dialogs.size(), 1u);  // cancelled before the file dialog
}

TEST_F(SurveyHome, AReportOverAnotherFileAsksFirst) {
    QFile old(m_folder + "/hall.pdf");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    RecordingInteraction ui;
    ui.detailsAnswers = {ReportDetails{"New", "", ""}};
    ui.fileAnswers = {m_folder + "/hall.pdf"};
    int made = 0;
    const FileDialogRequest req{m_folder, "x survey.pdf", kPdfFilter, kPdfSuffix};
    EXPECT_EQ(saveSurveyReport(settings(), ui, req, fakePdf(&made)), SaveOutcome::Cancelled);
    EXPECT_EQ(ui.questions, QStringList({"hall.pdf already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(made, 0);
    EXPECT_EQ(fileBytes(m_folder + "/hall.pdf"), "old");
}

TEST_F(SurveyHome, AFailedReportIsToldAndLeavesWhatWasThere) {
    QFile old(m_folder + "/hall.pdf");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const FileDialogRequest req{m_folder, "x survey.pdf", kPdfFilter, kPdfSuffix};

    RecordingInteraction ui;
    ui.detailsAnswers = {ReportDetails{"New", "", ""}};
    ui.fileAnswers = {m_folder + "/hall.pdf"};
    ui.answers = {true};
    FileSteps steps = FileSteps::real();
    steps.rename = [](const QString&, const QString&) {
        return QStringLiteral("Permission denied");
    };
    EXPECT_EQ(saveSurveyReport(settings(), ui, req, fakePdf(), steps), SaveOutcome::Failed);
    EXPECT_EQ(ui.messages, QStringList({"The file could not be saved: Permission denied. Nothing "
                                        "was changed on the disk."}));
    EXPECT_EQ(fileBytes(m_folder + "/hall.pdf"), "old");
    EXPECT_EQ(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList({"hall.pdf"}));

    RecordingInteraction drawing;
    drawing.detailsAnswers = {ReportDetails{"New", "", ""}};
    drawing.fileAnswers = {m_folder + "/other"};
    const SurveyPdfMaker broken = [](const ReportDetails&) { return std::nullopt; };
    EXPECT_EQ(saveSurveyReport(settings(), drawing, req, broken), SaveOutcome::Failed);
    EXPECT_EQ(drawing.messages, QStringList({"The file could not be saved: the report could not "
                                             "be drawn. Nothing was changed on the disk."}));
    EXPECT_FALSE(QFile::exists(m_folder + "/other.pdf"));
}

TEST_F(SurveyHome, OwnAreasAndEachListsRequirementAreKeptInTheSettings) {
    const SurveyRequirement bench{"Workshop bench", 75000, 700};
    const SurveyRequirement bay{"Loading bay", 15000, 400};
    ASSERT_TRUE(writeOwnAreas(settings(), {bench, bay}));
    EXPECT_EQ(readOwnAreas(settings()), (std::vector<SurveyRequirement>{bench, bay}));
    EXPECT_EQ(iniBytes(),
              "[SurveyAreas]\r\nCount=2\r\nArea1=750 0.70 Workshop bench\r\n"
              "Area2=150 0.40 Loading bay\r\n");
    // A removed area leaves no name behind.
    ASSERT_TRUE(writeOwnAreas(settings(), {bay}));
    EXPECT_EQ(readOwnAreas(settings()), std::vector<SurveyRequirement>{bay});
    EXPECT_EQ(iniBytes(), "[SurveyAreas]\r\nCount=1\r\nArea1=150 0.40 Loading bay\r\nArea2=\r\n");

    // A list's choice sits beside its grid, under the same key; the list file holds neither.
    const QString hall = m_folder + "/hall.MemDat";
    ListGrid list(settings());
    ASSERT_TRUE(list.setRequirement("", SurveyRequirement{"", 50, 625}));
    EXPECT_EQ(list.requirement(""), (SurveyRequirement{"", 50, 625}));
    ASSERT_TRUE(list.write("", {4, 3, GridOrder::RowByRow}));
    list.listSaved("", hall);
    EXPECT_FALSE(list.requirement(""));
    EXPECT_EQ(readListRequirement(settings(), hall), (SurveyRequirement{"", 50, 625}));
    EXPECT_TRUE(iniBytes().endsWith("[SurveyGrids]\r\n" + hall.toUtf8() + "=4x3 row\r\n" +
                                    "[SurveyRequirements]\r\n" + hall.toUtf8() + "=0.5 0.625\r\n"));
    ASSERT_TRUE(writeListRequirement(settings(), hall, standardAreas().back()));
    EXPECT_EQ(readListRequirement(settings(), hall), (SurveyRequirement{"Stairs", 15000, 400}));
    ASSERT_TRUE(writeListRequirement(settings(), hall, std::nullopt));
    EXPECT_FALSE(readListRequirement(settings(), hall));
    EXPECT_FALSE(readListRequirement(settings(), m_folder + "/other.MemDat"));
}

TEST_F(SurveyHome, RequirementOffersEveryAreaAndKeepsWhatTheDialogLeft) {
    const SurveyRequirement bench{"Workshop bench", 75000, 700};
    ASSERT_TRUE(writeOwnAreas(settings(), {bench}));
    RecordingInteraction ui;
    ListGrid list(settings());
    const QString path = m_folder + "/Hall.MemDat";
    ui.requirementAnswers = {RequirementAnswer{standardAreas().front(), {}}, std::nullopt};
    EXPECT_TRUE(chooseListRequirement(ui, list, path));
    ASSERT_EQ(ui.requirementShown.size(), 1u);
    EXPECT_EQ(ui.requirementShown[0].standard.size(), 7u);
    EXPECT_EQ(ui.requirementShown[0].own, std::vector<SurveyRequirement>{bench});
    EXPECT_FALSE(ui.requirementShown[0].current);
    EXPECT_EQ(readListRequirement(settings(), path), standardAreas().front());
    EXPECT_TRUE(readOwnAreas(settings()).empty());  // the dialog removed the bench
    // Cancelled: nothing changes; offered with the list's choice.
    EXPECT_FALSE(chooseListRequirement(ui, list, path));
    EXPECT_EQ(ui.requirementShown[1].current, standardAreas().front());
    EXPECT_EQ(readListRequirement(settings(), path), standardAreas().front());
    EXPECT_TRUE(ui.messages.isEmpty());
    // A shipped area's name with values of its own is no longer that area.
    EXPECT_EQ(labelledRequirement("Stairs", 200, 0.4), (SurveyRequirement{"", 20000, 400}));
    EXPECT_EQ(labelledRequirement(" stairs ", 150, 0.4), (SurveyRequirement{"stairs", 15000, 400}));
    EXPECT_EQ(labelledRequirement("Bench", 750, 0.7), (SurveyRequirement{"Bench", 75000, 700}));
}
