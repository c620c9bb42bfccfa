// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QToolBar>
#include <QToolButton>

#include "HostTool.h"
#include "UiHarness.h"
#include "core/memlist/MemoryListPages.h"
#include "ui/dialogs/CDownloadProgressDlg.h"
#include "ui/memlist/CMemListDlg.h"

using namespace km905;
using namespace km905::test;

namespace {
void stepUntil(UiHarness& h, const std::function<bool()>& pred, int ms) {
    for (int t = 0; t < ms && !pred(); t += 20) h.advance(20);
}
}  // namespace

TEST(MemoryList, TheMemCommandDownloadsAndListsTheRecords) {
    UiHarness h;
    h.advance(100);
    h.frame->updateCommands();
    ASSERT_TRUE(h.frame->action(kCmdMem)->isEnabled());
    h.frame->trigger(kCmdMem);
    h.advance(20);
    EXPECT_TRUE(h.frame->progressWindow()->isVisible());
    EXPECT_EQ(h.frame->progressWindow()->windowTitle(), "logging...");
    stepUntil(
        h, [&] { return h.frame->memoryList() != nullptr; }, 4000);
    CMemListDlg* list = h.frame->memoryList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(h.frame->progressWindow()->isVisible());
    EXPECT_EQ(list->windowTitle(), "Light Data List");
    QTableWidget* t = list->table();
    ASSERT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->item(0, 0)->text(), "1");
    EXPECT_EQ(t->item(0, 1)->text(), "250.00");
    EXPECT_EQ(t->item(0, 2)->text(), "Lux");
    EXPECT_EQ(t->item(0, 3)->text(), "General");
    EXPECT_EQ(t->item(0, 4)->text(), "12/07/26 10:20:30");
    EXPECT_EQ(t->item(1, 1)->text(), "1.24K");
    EXPECT_EQ(t->item(2, 2)->text(), "FC");
    saveShot(list->grab().toImage(), "memory-list");
    // Live polling resumes behind the list.
    const int polls = h.meter.pollCount();
    h.advance(4500);
    EXPECT_GT(h.meter.pollCount(), polls);
}

// The export for spreadsheets as a person makes it and a spreadsheet reads it: the proposed
// name taken as it stands, then the file read by Python's csv module.
TEST(MemoryList, TheCsvExportHoldsPlainNumbersThatPythonReads) {
    if (!hostHas("python3")) GTEST_SKIP() << "python3 is not installed";
    UiHarness h;
    h.advance(100);
    h.frame->trigger(kCmdMem);
    stepUntil(
        h, [&] { return h.frame->memoryList() != nullptr; }, 4000);
    CMemListDlg* list = h.frame->memoryList();
    ASSERT_NE(list, nullptr);
    QAction* csv = nullptr;
    for (QAction* a : list->findChild<QToolBar*>()->actions())
        if (a->text() == "Export CSV for spreadsheets...") csv = a;
    ASSERT_NE(csv, nullptr);

    list->saveList();  // no answer: cancelled, only to see what Save proposes
    h.ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    csv->trigger();
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    const FileDialogRequest asked = h.ui.dialogs[1];
    const QString folder = h.home.path() + "/Documents/KM905";
    EXPECT_EQ(asked.folder, folder);
    EXPECT_EQ(asked.proposedName, h.ui.dialogs[0].proposedName + ".utf8.csv");
    EXPECT_EQ(asked.filter, "CSV for spreadsheets (*.csv)");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.messages.join('\n').toStdString();
    const QString file = folder + "/" + asked.proposedName;
    // The program's own UTF-16 export is left to Save.
    EXPECT_EQ(QDir(folder).entryList({"*.csv"}, QDir::Files), QStringList({asked.proposedName}));

    const HostRun p = hostRun(
        "python3", {"-c",
                    "import csv, json, sys; "
                    "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8'))); "
                    "print(json.dumps([rows, [[float(v) for v in r[2:4]] for r in rows[1:]]]))",
                    file});
    ASSERT_TRUE(p.ran) << p.err.toStdString();
    ASSERT_EQ(p.exitCode, 0) << p.err.toStdString();
    const QJsonArray got = QJsonDocument::fromJson(p.out).array();
    const QJsonArray rows = got[0].toArray();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].toVariant().toStringList(),
              QStringList({"number", "time", "lux", "fc", "unit", "mode", "flag"}));
    EXPECT_EQ(rows[1].toVariant().toStringList(),
              QStringList({"1", "2026-12-07T10:20:30", "250.00", "23.23", "lux", "General", ""}));
    // 1234.5 lux stored as 1235 in the 1-lux range, shown as "1.24K" in the list;
    // 1235 / 10.76 = 114.78 foot-candles.
    EXPECT_EQ(rows[2][2].toString(), "1235.00");
    EXPECT_EQ(rows[2][3].toString(), "114.78");
    EXPECT_EQ(got[1][1].toArray(), QJsonArray({1235.0, 114.78}));

    // Asked before it is replaced; No keeps it.
    h.ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    h.ui.answers = {false};
    {
        QFile edited(file);
        ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
        edited.write("edited");
    }
    csv->trigger();
    EXPECT_EQ(h.ui.questions,
              QStringList({asked.proposedName + " already exists.\nDo you want to replace it?"}));
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "edited");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    // A file that cannot be written is told, never taken for done.
    h.ui.fileAnswers = {"/nonexistent-km905-folder/list"};
    csv->trigger();
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_TRUE(h.ui.messages[0].startsWith("The file could not be saved: "));
    EXPECT_FALSE(QFile::exists("/nonexistent-km905-folder/list.csv"));
    list->close();
}

TEST(MemoryList, AnEmptyMemorySaysSoOnce) {
    sim::Scenario s = sim::demoScenario();
    s.memory.clear();
    UiHarness h(s);
    h.advance(100);
    h.frame->trigger(kCmdMem);
    stepUntil(
        h, [&] { return h.frame->memoryList() != nullptr; }, 4000);
    ASSERT_NE(h.frame->memoryList(), nullptr);
    h.frame->memoryList()->repaint();
    h.advance(20);
    EXPECT_EQ(h.ui.messages, QStringList({"There is no Data in the MEM!"}));
    EXPECT_EQ(h.frame->memoryList()->table()->rowCount(), 0);
}

TEST(MemoryList, PrintedFiftyRowsAPageWithTheSurveySummaryAfterTheLast) {
    CDTDoc doc;
    doc.m_memCount = 50;
    for (int i = 0; i < 51; ++i) {
        doc.m_memValues[static_cast<size_t>(i)] = 10.0f * i;
        doc.m_memModes[static_cast<size_t>(i)] = "General";
        doc.m_memTimes[static_cast<size_t>(i)] = "12/07/26 10:20:30";
    }
    doc.m_memValues[50] = kOverRange;
    doc.m_memFlagB[50] = 1;
    // 50 rows fill the page to its foot: the survey summary goes on a page of its own, at the
    // first row's height under a line. 0, 10 ... 490 lux: Eavg 245, Emin 0, Emax 490.
    std::vector<ReportPage> pages = memoryListPages(doc);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].texts.size(), 5u + 5u * 50u);
    ASSERT_EQ(pages[1].texts.size(), 1u);
    EXPECT_EQ(pages[1].texts[0].text,
              "Eavg 245.0 Lux   Emin 0.0 Lux   Emax 490.0 Lux   U0 0.00   Ud 0.00   "
              "(50 of 50 readings)");
    EXPECT_EQ(pages[1].texts[0].x, -790);
    EXPECT_EQ(pages[1].texts[0].y, 1000);
    EXPECT_EQ(pages[1].texts[0].font, ReportPage::Font::List);
    ASSERT_EQ(pages[1].lines.size(), 1u);
    EXPECT_EQ(pages[1].lines[0].y1, 1008);

    doc.m_memCount = 51;
    pages = memoryListPages(doc);
    ASSERT_EQ(pages.size(), 2u);
    const ReportPage& second = pages[1];
    ASSERT_EQ(second.texts.size(), 5u + 5u + 2u);
    EXPECT_EQ(second.texts[5].text, "51");
    EXPECT_EQ(second.texts[5].y, 1000);
    EXPECT_EQ(second.texts[6].text, "-OL");
    // The summary follows row 51: a line 22 under it, the figures 30 under, what was left
    // out 20 lower.
    EXPECT_EQ(second.texts[10].text,
              "Eavg 245.0 Lux   Emin 0.0 Lux   Emax 490.0 Lux   U0 0.00   Ud 0.00   "
              "(50 of 51 readings)");
    EXPECT_EQ(second.texts[10].y, 970);
    EXPECT_EQ(second.texts[11].text, "1 reading left out: 1 OL");
    EXPECT_EQ(second.texts[11].x, -790);
    EXPECT_EQ(second.texts[11].y, 950);
    ASSERT_EQ(second.lines.size(), 2u);
    EXPECT_EQ(second.lines[1].x1, -790);
    EXPECT_EQ(second.lines[1].y1, 978);
    EXPECT_EQ(second.lines[1].x2, -10);
}

TEST(MemoryList, APrintedPageWithRoomHoldsTheSummaryUnderItsLastRow) {
    CDTDoc doc;
    const float lux[3] = {300, 200, 400};
    for (int i = 0; i < 3; ++i) {
        doc.m_memValues[static_cast<size_t>(i)] = lux[i];
        doc.m_memModes[static_cast<size_t>(i)] = "General";
    }
    doc.m_memCount = 3;
    const std::vector<ReportPage> pages = memoryListPages(doc);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].texts.size(), 5u + 15u + 1u);
    // Rows at 1000, 980, 960; the summary 30 under the last.
    EXPECT_EQ(pages[0].texts.back().text,
              "Eavg 300.0 Lux   Emin 200.0 Lux   Emax 400.0 Lux   U0 0.67   Ud 0.50   "
              "(3 of 3 readings)");
    EXPECT_EQ(pages[0].texts.back().y, 930);
    EXPECT_EQ(pages[0].lines.back().y1, 938);
    // 48 rows leave room for one line (the last row at 60), not for two.
    doc.m_memCount = 48;
    for (int i = 3; i < 48; ++i) doc.m_memModes[static_cast<size_t>(i)] = "General";
    EXPECT_EQ(memoryListPages(doc).size(), 1u);
    doc.m_memModes[47] = "Rel";
    EXPECT_EQ(memoryListPages(doc).size(), 2u);

    // A PDF of it is proposed under the list file's name, or the time for a list not saved.
    ViewState v;
    EXPECT_EQ(memoryListPrintName(v, 1765184400), "12-08-25 09.00.00");
    v.m_memListPath = "/home/u/Documents/KM905/office 2.MemDat";
    EXPECT_EQ(memoryListPrintName(v, 1765184400), "office 2");
}

// Headings sit at the left of their columns; save, open and print are 48 x 20 picture buttons
// on a toolbar, with an etched line between it and the list.
TEST(MemoryList, LeftAlignedHeadingsUnderAToolbarAndAnEtchedLine) {
    UiHarness h;
    auto* list = new CMemListDlg(h.frame->model(), h.ui, h.clock, h.home.settings(), h.frame.get());
    list->show();
    UiHarness::settle();
    QTableWidget* t = list->table();
    QHeaderView* head = t->horizontalHeader();
    const QImage heads = head->grab().toImage();
    saveShot(list->grab().toImage(), "memory-list-empty");
    const QStringList names = {"NO.", "DATA", "UNIT", "STATUS", "TIME"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(t->horizontalHeaderItem(c)->text(), names[c]);
        const int x0 = head->sectionViewportPosition(c);
        int firstInk = -1;
        for (int x = x0 + 2; x < x0 + head->sectionSize(c) - 2 && firstInk < 0; ++x)
            if (countPixels(heads, QRect(x, 2, 1, heads.height() - 4), isDark) > 0)
                firstInk = x - x0;
        EXPECT_GE(firstInk, 0) << c;
        EXPECT_LT(firstInk, 12) << c;  // centred, "NO." would begin 40 pixels in
    }

    auto* bar = list->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList tips;
    for (QToolButton* b : bar->findChildren<QToolButton*>()) {
        if (!b->defaultAction()) continue;  // the bar's own extension button
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->iconSize(), QSize(48, 20));
        tips << b->toolTip();
    }
    EXPECT_EQ(tips.size(), 7);
    EXPECT_EQ(tips.value(0), "save");
    EXPECT_EQ(tips.value(1), "UTF-8 CSV for spreadsheets");
    EXPECT_EQ(tips.value(4), "survey grid map");
    EXPECT_EQ(tips.value(5), "survey report (PDF)");
    EXPECT_EQ(tips.value(6), "required \u0112m and U0: pass or fail");
    auto* line = list->findChild<QFrame*>("etchedLine");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_EQ(line->frameShadow(), QFrame::Sunken);
    EXPECT_GE(line->geometry().top(), bar->geometry().bottom());
    EXPECT_LE(line->geometry().bottom(), t->geometry().top());
    EXPECT_GE(line->width(), t->width());
    list->close();
}
