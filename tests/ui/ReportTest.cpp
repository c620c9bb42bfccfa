// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include "HostTool.h"
#include "PdfInfo.h"
#include "UiHarness.h"
#include "core/memlist/MemoryListPages.h"
#include "core/print/ReportPage.h"
#include "ui/print/ReportPainter.h"

using namespace km905;
using namespace km905::test;

namespace {
MeterModel recorded(int n) {
    MeterModel m;
    m.view.m_yGain = 40;
    m.view.m_startTime = 1765184400;  // 09:00:00 UTC
    m.view.m_sampleRateMs = 2000;
    m.view.m_sampleIndex = n;
    for (int i = 0; i < n; ++i) m.doc.m_readings[static_cast<size_t>(i)] = 100.0f + i;
    return m;
}

QStringList texts(const ReportPage& p) {
    QStringList t;
    for (const auto& x : p.texts) t << x.text;
    return t;
}
}  // namespace

TEST(RealtimeReport, LayoutTimesAndTrace) {
    const ReportPage p = realtimeReport(recorded(9), 1765191600);
    const QStringList t = texts(p);
    EXPECT_TRUE(t.contains(" Test Report "));
    EXPECT_TRUE(t.contains("Light"));
    EXPECT_TRUE(t.contains("0.0"));
    EXPECT_TRUE(t.contains("400.0"));
    // n / 4 = 2 samples of 2 s between the five times.
    EXPECT_EQ(t.mid(t.indexOf("400.0") + 1, 5),
              QStringList({"09:00:00", "09:00:04", "09:00:08", "09:00:12", "09:00:16"}));
    EXPECT_EQ(t.back(), "2025-12-08  11:00");
    EXPECT_EQ(p.proposedName, "12-08-25 09.00.00");  // a PDF is named as Save names the file
    EXPECT_EQ(p.title, "Real-time graph 12-08-25 09.00.00");
    EXPECT_EQ(p.traceEnd, 4 + 8);  // frame, then one segment per pair of samples
    EXPECT_EQ(p.lines[4].x1, -750);
    EXPECT_EQ(p.lines[4].y1, static_cast<int>(100 * 800 / 400.0 + 200));
    EXPECT_EQ(p.lines[11].x2, -10);
    EXPECT_EQ(p.lines.size(), 12u + 13u);  // and the grid
}

TEST(RealtimeReport, FewSamplesShareTheStartTimeAndOneDrawsNoTrace) {
    const ReportPage p = realtimeReport(recorded(1), 0);
    EXPECT_EQ(p.traceEnd, 4);
    EXPECT_EQ(texts(p).count("09:00:00"), 5);
    EXPECT_EQ(texts(realtimeReport(recorded(3), 0)).count("09:00:00"), 5);
}

TEST(RealtimeReport, PrintsToAPdfWithItsTexts) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    {
        QPdfWriter w(pdf);
        w.setResolution(300);
        ASSERT_EQ(paintReport(w, realtimeReport(recorded(120), 1765191600)), PrintOutcome::Printed);
    }
    const HostRun text = hostRun("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.ran) << "pdftotext (poppler-utils) is needed";
    const QString out = QString::fromUtf8(text.out);
    EXPECT_TRUE(out.contains("Test Report")) << out.toStdString();
    EXPECT_TRUE(out.contains("Light"));
    EXPECT_TRUE(out.contains("360.0"));
    EXPECT_TRUE(out.contains("09:01:00"));  // the time at the middle: 30 samples of 2 s
    EXPECT_TRUE(out.contains("2025-12-08"));
    // The frame's pen is 2 hundredths of an inch: 6 pixels at 300 dots per inch.
    ASSERT_EQ(
        hostExecute("pdftoppm", {"-png", "-r", "300", "-singlefile", pdf, dir.filePath("page")}),
        0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const int row = page.height() / 2;
    int first = 0;
    while (first < page.width() && qGray(page.pixel(first, row)) >= 128) ++first;
    int run = 0;
    while (first + run < page.width() && qGray(page.pixel(first + run, row)) < 128) ++run;
    EXPECT_GE(run, 5);
    EXPECT_LE(run, 7);

    // The trace is the only reddish ink. From the frame's left edge (x -750) to its right
    // edge (x -10) it rises from 100 to 219 lux: y 400 to 638 on the frame's 200..1000.
    int last = page.width() - 1;
    while (last > first && qGray(page.pixel(last, row)) >= 128) --last;
    const double perUnit = (last - first) / 742.0;  // outer edges of the 2-unit frame pen
    ASSERT_NEAR(perUnit, 3.0, 0.1);                 // 300 dots per inch
    QRect trace;
    double leftY = 0, rightY = 0;
    int leftN = 0, rightN = 0;
    std::vector<QPoint> ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = first; x <= last; ++x) {
            const QRgb c = page.pixel(x, y);
            if (qRed(c) - qGreen(c) > 30 && qRed(c) - qBlue(c) > 30) ink.emplace_back(x, y);
        }
    ASSERT_GT(ink.size(), 700u);
    for (const QPoint& p : ink) trace |= QRect(p, QSize(1, 1));
    for (const QPoint& p : ink) {
        if (p.x() < trace.left() + 10) leftY += p.y(), ++leftN;
        if (p.x() > trace.right() - 10) rightY += p.y(), ++rightN;
    }
    EXPECT_NEAR(trace.left(), first, 2 * perUnit);
    EXPECT_NEAR(trace.right(), last, 2 * perUnit);
    EXPECT_NEAR(trace.height(), (638 - 400 + 2) * perUnit, 3 * perUnit);
    ASSERT_GT(leftN, 0);
    ASSERT_GT(rightN, 0);
    EXPECT_GT(leftY / leftN - rightY / rightN, 230 * perUnit);  // it rises to the right
}

// Where a print can fail, and the words for each.
TEST(RealtimeReport, PrintFailuresAreToldInTheirOwnWords) {
    EXPECT_EQ(printFailureText(PrintOutcome::NoPrinter), "Printer is busy!");
    EXPECT_EQ(printFailureText(PrintOutcome::DocumentFailed), "Initial error!");
    EXPECT_EQ(printFailureText(PrintOutcome::PageFailed), "Can't start printing!");
    EXPECT_EQ(printFailureText(PrintOutcome::Printed), "");
    QPdfWriter nowhere("/nonexistent-km905-folder/report.pdf");
    EXPECT_EQ(paintReport(nowhere, realtimeReport(recorded(3), 0)), PrintOutcome::DocumentFailed);
    struct NoSecondPage : QPdfWriter {
        using QPdfWriter::QPdfWriter;
        bool newPage() override { return false; }
    };
    QTemporaryDir dir;
    NoSecondPage writer(dir.filePath("two.pdf"));
    const ReportPage page = realtimeReport(recorded(3), 0);
    EXPECT_EQ(paintReport(writer, std::vector<ReportPage>{page, page}), PrintOutcome::PageFailed);
}

TEST(RealtimeReport, ThePrintCommandIsEnabledByTheFirstSample) {
    UiHarness h;
    h.frame->updateCommands();
    EXPECT_FALSE(h.frame->action(kCmdPrint)->isEnabled());
    h.frame->model().view.m_sampleIndex = 1;
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdPrint)->isEnabled());
    h.frame->trigger(kCmdPrint);
    ASSERT_EQ(h.ui.printed.size(), 1u);
    EXPECT_EQ(h.ui.printed[0].documentName, "client   print");
}

// Printed at 1200 dots per inch to a PDF (the print dialog's file route), the survey line
// under the memory list runs to its last glyph: about six inches of text, not three and a
// third. The PDF says what it is, by whom and with what.
TEST(MemoryListReport, APrintedLineIsNeverCut) {
    CDTDoc doc;
    const float lux[3] = {300, 200, 400};
    for (int i = 0; i < 3; ++i) {
        doc.m_memValues[static_cast<size_t>(i)] = lux[i];
        doc.m_memModes[static_cast<size_t>(i)] = "General";
    }
    doc.m_memCount = 3;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("list.pdf");
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const std::optional<QByteArray> bytes = reportPdf(memoryListPages(doc, "hall"), letter, 1200);
    ASSERT_TRUE(bytes);
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*bytes);
    }
    const PdfInfo info = pdfInfo(pdf);
    EXPECT_EQ(info.errors, "");
    EXPECT_EQ(info.fields["Title"], "Light Data List hall");
    EXPECT_EQ(info.fields["Author"], loginFullName());
    EXPECT_EQ(info.fields["Creator"], "km905 2.3.3");
    EXPECT_EQ(info.fields["Page size"], "612 x 792 pts (letter)");
    EXPECT_EQ(misplacedObjects(*bytes).join(", "), "");
    ASSERT_EQ(
        hostExecute("pdftoppm", {"-png", "-r", "100", "-singlefile", pdf, dir.filePath("page")}),
        0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    // The line over the summary is the lowest one 7.8 inches long; the text hangs under it.
    int line = -1;
    for (int y = page.height() - 1; y >= 0 && line < 0; --y) {
        int n = 0;
        for (int x = 0; x < page.width(); ++x) n += dark(x, y);
        if (n > 700) line = y;
    }
    ASSERT_GT(line, 0);
    int left = page.width(), right = -1;
    for (int y = line + 3; y < line + 25 && y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (dark(x, y)) left = std::min(left, x), right = std::max(right, x);
    ASSERT_GE(right, 0);
    EXPECT_GT(right - left, 500);  // more than five inches at 100 dots per inch
}
