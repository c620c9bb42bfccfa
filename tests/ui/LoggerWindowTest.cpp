// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "HostTool.h"
#include "TestData.h"
#include "UiHarness.h"
#include "ui/logger/CLoggerGraphDlg.h"
#include "ui/memlist/CMemListDlg.h"
#include "ui/print/ReportPainter.h"

using namespace km905;
using namespace km905::test;

namespace {

void stepUntil(UiHarness& h, const std::function<bool()>& pred, int ms) {
    for (int t = 0; t < ms && !pred(); t += 20) h.advance(20);
}

sim::SimLogRecord record(MeterDateTime start, int rate, int samples, int count) {
    sim::SimLogRecord r;
    r.start = start;
    r.rate = rate;
    // Range code 1 reads 0.1 lux per count.
    for (int i = 0; i < samples; ++i) r.samples.push_back({count, 1, false});
    return r;
}

// Three records: 100 lux, 300 lux and 200 lux.
sim::Scenario threeRecords() {
    sim::Scenario s = sim::demoScenario();
    s.logger = {record({2026, 12, 6, 8, 0, 0}, 2, 10, 1000),
                record({2026, 12, 6, 9, 30, 0}, 5, 20, 3000),
                record({2026, 12, 6, 12, 0, 0}, 1, 5, 2000)};
    return s;
}

bool isGrid(QRgb c) {
    return qRed(c) == 80 && qGreen(c) == 80 && qBlue(c) == 80;
}

// The window is 1000 x 570: its plot runs from (306, 90) to (939, 509), axis 0 .. 400 lux.
const QRect kPlotInside(310, 94, 625, 410);

}  // namespace

TEST(LoggerWindow, TheDataLoggerCommandListsTheRecordsAndDrawsTheOneChosen) {
    UiHarness h(threeRecords());
    h.advance(100);
    h.frame->updateCommands();
    ASSERT_TRUE(h.frame->action(kCmdDataLogger)->isEnabled());
    h.frame->trigger(kCmdDataLogger);
    stepUntil(
        h, [&] { return h.frame->loggerWindow() != nullptr; }, 60000);
    CLoggerGraphDlg* dlg = h.frame->loggerWindow();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Light Datalogger Graph");
    EXPECT_TRUE(dlg->isVisible());
    QTableWidget* list = dlg->list();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->horizontalHeaderItem(3)->text(), "Sampling Rate");
    EXPECT_EQ(list->item(0, 0)->text(), "1");
    EXPECT_EQ(list->item(0, 1)->text(), "12/06/26 08:00:00");
    EXPECT_EQ(list->item(0, 2)->text(), "Lux");
    EXPECT_EQ(list->item(0, 3)->text(), "2sec");
    EXPECT_EQ(list->item(0, 4)->text(), "10");
    EXPECT_EQ(list->item(1, 0)->text(), "2");
    EXPECT_EQ(list->item(1, 4)->text(), "20");
    EXPECT_EQ(list->item(2, 0)->text(), "3");
    EXPECT_EQ(list->item(2, 1)->text(), "12/06/26 12:00:00");
    EXPECT_EQ(dlg->command(CLoggerGraphDlg::kSave)->toolTip(), "Save");
    EXPECT_EQ(dlg->command(CLoggerGraphDlg::kDownload)->toolTip(), "Download");
    EXPECT_EQ(dlg->command(CLoggerGraphDlg::kZoomOut)->toolTip(), "ZoomOut");
    // While the window is open, Open is disabled.
    h.frame->updateCommands();
    EXPECT_FALSE(h.frame->action(kCmdOpen)->isEnabled());

    // Nothing is drawn before a row is chosen.
    QImage before = dlg->grab().toImage();
    EXPECT_EQ(countPixels(before, kPlotInside, isRed), 0);

    // Nor exported: the user is asked to choose a record.
    dlg->trigger(CLoggerGraphDlg::kExportCsv);
    EXPECT_EQ(h.ui.messages,
              QStringList({"Please select the record item that you want to export."}));
    EXPECT_TRUE(h.ui.dialogs.empty());

    emit list->cellDoubleClicked(1, 0);
    h.settle();
    const QImage img = dlg->grab().toImage();
    saveShot(img, "logger-window-record-2");
    // The record chosen, for spreadsheets: 20 readings of 300 lux (27.88 fc), 5 s apart.
    EXPECT_EQ(dlg->command(CLoggerGraphDlg::kExportCsv)->toolTip(),
              "Export CSV for spreadsheets...");
    h.ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    dlg->trigger(CLoggerGraphDlg::kExportCsv);
    QFile written(h.home.path() + "/Documents/KM905/12-06-26 09.30.00.utf8.csv");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QStringList csv = QString::fromUtf8(written.readAll()).split('\n');
    ASSERT_EQ(csv.size(), 22);  // a header, 20 rows and the last line's end
    EXPECT_EQ(csv[1], "1,2026-12-06T09:30:00,300.00,27.88,lux,");
    EXPECT_EQ(csv[20], "20,2026-12-06T09:31:35,300.00,27.88,lux,");
    // 300 lux lies on row 194; the first record's 100 lux would lie on row 404.
    EXPECT_GT(countPixels(img, QRect(310, 193, 625, 3), isRed), 600);
    EXPECT_EQ(countPixels(img, QRect(310, 400, 625, 9), isRed), 0);
    EXPECT_EQ(countPixels(img, kPlotInside, isRed),
              countPixels(img, QRect(310, 193, 625, 3), isRed));
    EXPECT_FALSE(dlg->scrollBar()->isEnabled());

    // A drag zooms in and enables the scroll bar; zoom out disables it again.
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), dlg->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(dlg, &e);
    };
    mouse(QEvent::MouseButtonPress, {400, 100}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {600, 300}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {600, 300}, Qt::NoButton);
    h.settle();
    EXPECT_TRUE(dlg->scrollBar()->isEnabled());
    saveShot(dlg->grab().toImage(), "logger-window-zoomed");
    // The report shows the whole record (20 readings, 19 segments) though the window is zoomed.
    dlg->trigger(CLoggerGraphDlg::kPrint);
    ASSERT_EQ(h.ui.printed.size(), 1u);
    EXPECT_EQ(h.ui.printed[0].traceEnd, 4 + 19);
    EXPECT_EQ(h.ui.printed[0].texts[0].text, " Test Report ");
    EXPECT_EQ(h.ui.printed[0].texts[2].text, "0.0");  // the full view's axis
    {
        // On paper: the five times span the whole record, 20 readings of 5 s from 09:30:00,
        // not the zoomed part, which begins after 09:30:10.
        QTemporaryDir dir;
        const QString pdf = dir.filePath("logger.pdf");
        {
            QPdfWriter w(pdf);
            w.setResolution(300);
            ASSERT_EQ(paintReport(w, h.ui.printed[0]), PrintOutcome::Printed);
        }
        const HostRun text = hostRun("pdftotext", {"-layout", pdf, "-"});
        ASSERT_TRUE(text.ran) << "pdftotext (poppler-utils) is needed";
        const QString out = QString::fromUtf8(text.out);
        EXPECT_TRUE(out.contains("Test Report")) << out.toStdString();
        for (const char* t : {"09:30:00", "09:30:25", "09:30:50", "09:31:15", "09:31:40"})
            EXPECT_TRUE(out.contains(t)) << t << "\n" << out.toStdString();
        EXPECT_TRUE(out.contains("400.0"));
        // Its dotted grid is dark grey (27, 27, 27), not the real-time report's (127, 127, 127).
        ASSERT_EQ(hostExecute("pdftoppm",
                              {"-png", "-r", "300", "-singlefile", pdf, dir.filePath("page")}),
                  0);
        const QImage page(dir.filePath("page.png"));
        auto grey = [](int level) {
            return [level](QRgb c) {
                return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) &&
                       std::abs(qRed(c) - level) <= 4;
            };
        };
        EXPECT_GT(countPixels(page, page.rect(), grey(27)), 20000);
        EXPECT_LT(countPixels(page, page.rect(), grey(127)), 1000);
    }
    dlg->trigger(CLoggerGraphDlg::kZoomOut);
    EXPECT_FALSE(dlg->scrollBar()->isEnabled());

    // Y axis 4000 a division from 4 divisions up: the labels read 16.00K to 56.00K, each
    // beginning at x = 306 - 70 + 7.5, in the open, with no list over its first digit.
    h.ui.yAxisAnswers = {{3, 2}};
    dlg->trigger(CLoggerGraphDlg::kYAxis);
    h.settle();
    const QImage labelled = dlg->grab().toImage();
    saveShot(labelled, "logger-window-56k");
    for (int k = 0; k <= 10; ++k) {
        const int y = 509 - 419 * k / 10;
        EXPECT_EQ(dlg->childAt(244, y + 7), nullptr) << "label " << k;
        EXPECT_GT(countPixels(labelled, QRect(243, y, 8, 14), isDark), 4) << "label " << k;
    }
    dlg->close();
    h.settle();
    EXPECT_EQ(h.frame->loggerWindow(), nullptr);
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdOpen)->isEnabled());
}

TEST(LoggerWindow, WithoutRecordsOnlyGridAndAxes) {
    UiHarness h;
    h.advance(100);
    auto* dlg =
        new CLoggerGraphDlg(h.session().model(), h.ui, h.clock, h.home.settings(), h.frame.get());
    dlg->show();
    h.settle();
    const QImage img = dlg->grab().toImage();
    saveShot(img, "logger-window-empty");
    EXPECT_EQ(dlg->list()->rowCount(), 0);
    EXPECT_EQ(countPixels(img, kPlotInside, isRed), 0);
    // The red bottom axis and the grey grid row of label 9.
    EXPECT_GT(countPixels(img, QRect(310, 509, 625, 1), isRed), 600);
    EXPECT_GT(countPixels(img, QRect(310, 131, 625, 1), isGrid), 600);
    // The plot is black inside.
    EXPECT_EQ(QColor(img.pixel(600, 300)), QColor(0, 0, 0));
    dlg->close();
    h.settle();
}

TEST(LoggerWindow, CtrlOShowsTheOpenCommandsChooser) {
    UiHarness h;
    h.advance(100);
    h.frame->updateCommands();
    ASSERT_TRUE(h.frame->action(kCmdOpen)->isEnabled());
    pressShortcut(h.frame.get(), Qt::Key_O, Qt::ControlModifier);
    h.settle();
    QDialog* chooser = h.frame->openChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "Open File");
    auto* graph = chooser->findChild<QPushButton*>("openGraphButton");
    auto* listButton = chooser->findChild<QPushButton*>("openListButton");
    ASSERT_NE(graph, nullptr);
    ASSERT_NE(listButton, nullptr);
    EXPECT_EQ(graph->text(), "Open Graph file(*.AsmDat)");
    EXPECT_EQ(listButton->text(), "Open List file(*.MemDat)");
    // A cancelled file dialog opens no window.
    graph->click();
    h.settle();
    EXPECT_EQ(h.frame->loggerWindow(), nullptr);
    EXPECT_EQ(h.frame->openChooser(), nullptr);
}

// Without a mouse: Return or Space on the chosen record draws it, as a double-click does.
TEST(LoggerWindow, ReturnOrSpaceOnARecordDrawsIt) {
    UiHarness h(threeRecords());
    h.advance(100);
    h.frame->trigger(kCmdDataLogger);
    stepUntil(
        h, [&] { return h.frame->loggerWindow() != nullptr; }, 60000);
    CLoggerGraphDlg* dlg = h.frame->loggerWindow();
    ASSERT_NE(dlg, nullptr);
    QTableWidget* list = dlg->list();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_TRUE(list->focusPolicy() & Qt::TabFocus);
    list->setCurrentCell(1, 0);
    h.settle();
    EXPECT_EQ(countPixels(dlg->grab().toImage(), kPlotInside, isRed), 0);  // moving draws nothing
    pressKey(list, Qt::Key_Return);
    h.settle();
    QImage img = dlg->grab().toImage();
    // 300 lux lies on row 194.
    EXPECT_GT(countPixels(img, QRect(310, 193, 625, 3), isRed), 600);
    EXPECT_TRUE(dlg->isVisible());  // Return drew the record and left the window open
    list->setCurrentCell(0, 0);
    pressKey(list, Qt::Key_Space);
    h.settle();
    img = dlg->grab().toImage();
    // The first record's 100 lux lies on row 404.
    EXPECT_GT(countPixels(img, QRect(310, 403, 625, 3), isRed), 600);
    EXPECT_EQ(countPixels(img, QRect(310, 193, 625, 3), isRed), 0);
    dlg->close();
    h.settle();
}

// km905 FILE..., as a file manager passes the files selected: both graph files as two rows of
// one datalogger window in file mode, then, once it is closed, the list file in the memory list
// window; the file that is not there is named in a message.
TEST(LoggerWindow, FilesGivenAtStartOpenInTheirWindowsOneAfterTheOther) {
    UiHarness h;
    h.advance(100);
    const QString dir = h.home.path() + "/";
    putFile(dir + "office.MemDat", golden("general-250lux.MemDat"));
    putFile(dir + "lux.AsmDat", golden("three-lux.AsmDat"));
    putFile(dir + "fc.AsmDat", golden("three-fc.AsmDat"));
    h.frame->openGivenFiles(
        {dir + "lux.AsmDat", dir + "office.MemDat", dir + "gone.AsmDat", dir + "fc.AsmDat"});
    h.settle();
    // The graph files came first, so their window opens first.
    CLoggerGraphDlg* dlg = h.frame->loggerWindow();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(h.frame->memoryList(), nullptr);
    EXPECT_FALSE(h.frame->action(kCmdOpen)->isEnabled());
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_TRUE(h.ui.messages[0].startsWith("The file \"gone.AsmDat\" could not be opened: "))
        << h.ui.messages[0].toStdString();
    ASSERT_EQ(dlg->list()->rowCount(), 2);
    EXPECT_EQ(dlg->list()->item(0, 2)->text(), "Lux");
    EXPECT_EQ(dlg->list()->item(1, 0)->text(), "2");
    EXPECT_EQ(dlg->list()->item(1, 2)->text(), "FC");
    EXPECT_EQ(dlg->list()->item(1, 4)->text(), "3");
    EXPECT_EQ(dlg->core().state().mode, LoggerMode::File);
    dlg->close();
    h.settle();
    CMemListDlg* list = h.frame->memoryList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(h.frame->loggerWindow(), nullptr);
    ASSERT_EQ(list->table()->rowCount(), 1);
    EXPECT_EQ(list->table()->item(0, 1)->text(), "250.00");
    EXPECT_EQ(list->table()->item(0, 3)->text(), "General");
    list->close();
    h.settle();
    EXPECT_EQ(h.frame->memoryList(), nullptr);
    EXPECT_EQ(h.frame->loggerWindow(), nullptr);
}
