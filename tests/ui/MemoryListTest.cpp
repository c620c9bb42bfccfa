// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QToolBar>
#include <QToolButton>

#include "UiHarness.h"
#include "dialogs/CDownloadProgressDlg.h"
#include "memlist/CMemListDlg.h"
#include "memlist/MemoryListPages.h"

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
    auto* list = new CMemListDlg(h.frame->model(), h.ui, h.clock, h.frame.get());
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
    EXPECT_EQ(tips.size(), 6);
    EXPECT_EQ(tips.value(0), "save");
    EXPECT_EQ(tips.value(3), "survey grid map");
    EXPECT_EQ(tips.value(4), "survey report (PDF)");
    EXPECT_EQ(tips.value(5), "required \u0112m and U0: pass or fail");
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
