// SPDX-License-Identifier: GPL-3.0-or-later
// The survey report as a PDF: its texts read back with pdftotext, its first page rendered.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "HostTool.h"
#include "UiHarness.h"
#include "core/survey/GridMapPicture.h"
#include "core/survey/SurveyReport.h"
#include "report/SurveyReportPdf.h"

using namespace km905;
using namespace km905::test;

namespace {

// 99 readings of 100 + 3.5 i lux (i = 0 .. 98); No. 10 over range, No. 20 relative.
CDTDoc surveyList() {
    CDTDoc d;
    d.m_memCount = 99;
    for (int i = 0; i < 99; ++i) {
        const auto k = static_cast<size_t>(i);
        d.m_memValues[k] = static_cast<float>(100 + 3.5 * i);
        d.m_memModes[k] = QStringLiteral("General");
        d.m_memTimes[k] = QStringLiteral("12/07/26 10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'));
    }
    d.m_memValues[9] = kOverRange;
    d.m_memModes[19] = QStringLiteral("Rel");
    return d;
}

QString run(const QString& program, const QStringList& args) {
    const HostRun r = hostRun(program, args);
    if (!r.ran)
        return QStringLiteral("<%1 did not run: %2>").arg(program, QString::fromUtf8(r.err));
    return QString::fromUtf8(r.out);
}

int countNear(const QImage& img, QRgb want, int tolerance) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (std::abs(qRed(c) - qRed(want)) <= tolerance &&
                std::abs(qGreen(c) - qGreen(want)) <= tolerance &&
                std::abs(qBlue(c) - qBlue(want)) <= tolerance)
                ++n;
        }
    return n;
}

QRect boundsOf(const QImage& img, QRgb want, int tolerance) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (std::abs(qRed(c) - qRed(want)) <= tolerance &&
                std::abs(qGreen(c) - qGreen(want)) <= tolerance &&
                std::abs(qBlue(c) - qBlue(want)) <= tolerance)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

}  // namespace

TEST(SurveyReportPdf, EveryReadingTheFiguresAndThePageNumbersAreInThePdf) {
    const SurveyReport report = surveyReport(surveyReportInput(
        surveyList(), GridShape{9, 9, GridOrder::Serpentine},
        {"Warehouse 3", "Aisle 7", "Emergency lighting off"}, 1765184400, PaperSize::A4));
    const std::optional<QByteArray> pdf = surveyReportPdf(report);
    ASSERT_TRUE(pdf);
    QTemporaryDir dir;
    const QString path = dir.filePath("survey.pdf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*pdf);
    }
    QFile::remove("survey-report.pdf");
    QFile::copy(path, "survey-report.pdf");  // into the build folder, to look at
    const QString text = run("pdftotext", {"-layout", path, "-"});
    // Page 1: title, then the figures. The 97 normal readings sum to 26580.5 lux: Eavg
    // 274.03; Emin 100 (No. 1), Emax 443; in FC 25.47, 9.29, 41.17.
    EXPECT_TRUE(text.contains("Warehouse 3")) << text.toStdString();
    EXPECT_TRUE(text.contains("Aisle 7"));
    EXPECT_TRUE(text.contains("Emergency lighting off"));
    EXPECT_TRUE(text.contains("2026-12-07"));
    EXPECT_TRUE(text.contains("2025-12-08"));
    auto row = [&](const QString& pattern) { return text.contains(QRegularExpression(pattern)); };
    EXPECT_TRUE(row("Eavg \\(average\\)\\s+274\\.0\\s+25\\.5"));
    EXPECT_TRUE(row("Emin \\(minimum, No\\. 1\\)\\s+100\\.0\\s+9\\.3"));
    EXPECT_TRUE(row("Emax \\(maximum\\)\\s+443\\.0\\s+41\\.2"));
    EXPECT_TRUE(row("U0 = Emin / Eavg\\s+0\\.36"));
    EXPECT_TRUE(row("Ud = Emin / Emax\\s+0\\.23"));
    EXPECT_TRUE(row("Readings used\\s+97 of 99"));
    EXPECT_TRUE(row("Left out\\s+2: 1 OL, 1 REL"));
    EXPECT_TRUE(text.contains("Grid map: 9 x 9 points, serpentine"));
    // The first 81 normal readings, No. 1 to 83, fill the grid; under it, wrapped between
    // readings, never inside one: the 16 beyond it and the 2 left out of the figures.
    const QString notes = text.split(QLatin1Char('\f')).value(0).section("Emax 443.0 Lux", 1);
    EXPECT_TRUE(notes.contains(QRegularExpression("^\\s*Beyond the grid: No\\.")))
        << notes.toStdString();
    static const QRegularExpression reading(
        "No\\.\\s+(\\d+)\\s+(OL|\\d+\\.\\d\\d)\\s+Lux(\\s+\\((\\w+)\\))?",
        QRegularExpression::UseUnicodePropertiesOption);
    QStringList found;
    for (auto m = reading.globalMatch(notes); m.hasNext();) {
        const QRegularExpressionMatch r = m.next();
        EXPECT_FALSE(r.captured(0).contains('\n')) << r.captured(0).toStdString();
        const int no = r.captured(1).toInt();
        const QString value =
            no == 10 ? QStringLiteral("OL") : QString::asprintf("%.2f", 96.5 + 3.5 * no);
        EXPECT_EQ(r.captured(2), value) << no;
        found << (r.captured(4).isEmpty() ? r.captured(1) : r.captured(1) + ' ' + r.captured(4));
    }
    QStringList beyond;
    for (int no = 84; no <= 99; ++no) beyond << QString::number(no);
    EXPECT_EQ(found, beyond + QStringList({"10 OL", "20 REL"}));
    // Every reading on the table pages, with its unit, mode and time.
    for (int i = 0; i < 99; ++i) {
        const QString value =
            i == 9 ? QStringLiteral("OL") : QString::asprintf("%.2f", 100 + 3.5 * i);
        const QString mode = i == 19 ? QStringLiteral("Rel") : QStringLiteral("General");
        const QString pattern = QStringLiteral("\\n\\s*%1\\s+%2\\s+Lux\\s+%3\\s+12/07/26 10:%4:00")
                                    .arg(i + 1)
                                    .arg(QRegularExpression::escape(value), mode)
                                    .arg(i % 60, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(row(pattern)) << "reading " << i + 1;
    }
    // 99 readings: 50 on page 2, 49 on page 3.
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 3").arg(n)));
    EXPECT_FALSE(text.contains("of 4"));
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[1].contains(QRegularExpression("\\n\\s*50\\s+271\\.50")));
    EXPECT_TRUE(pages[2].contains(QRegularExpression("\\n\\s*51\\s+275\\.00")));
    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595 x 842"))) << info.toStdString();
}

TEST(SurveyReportPdf, TheFirstPageShowsTheColouredGrid) {
    const SurveyReport report = surveyReport(
        surveyReportInput(surveyList(), GridShape{10, 10, GridOrder::Serpentine},
                          {"Warehouse 3", "Aisle 7", ""}, 1765184400, PaperSize::Letter));
    const std::optional<QByteArray> pdf = surveyReportPdf(report);
    ASSERT_TRUE(pdf);
    QTemporaryDir dir;
    const QString path = dir.filePath("survey.pdf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*pdf);
    }
    EXPECT_TRUE(run("pdfinfo", {path}).contains(QRegularExpression("Page size:\\s+612 x 792")));
    // At 72 dots per inch a pixel is a point.
    ASSERT_EQ(hostExecute("pdftoppm", {"-png", "-r", "72", "-f", "1", "-l", "1", "-singlefile",
                                       path, dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_EQ(page.size(), QSize(612, 792));
    page.save("survey-report-page1.png");
    // The minimum (No. 1, the top left cell) dark blue inside a red outline; the maximum
    // (No. 99, the 97th normal reading, walked back along the tenth row: its fourth cell)
    // yellow.
    const QRect low = boundsOf(page, qRgb(68, 1, 84), 3);
    const QRect high = boundsOf(page, qRgb(253, 231, 37), 3);
    const QRect red = boundsOf(page, qRgb(220, 0, 0), 3);
    ASSERT_FALSE(low.isEmpty());
    ASSERT_FALSE(high.isEmpty());
    ASSERT_FALSE(red.isEmpty());
    EXPECT_GT(countNear(page, qRgb(68, 1, 84), 3), 400);  // most of a cell of some 30 points
    EXPECT_GT(countNear(page, qRgb(253, 231, 37), 3), 400);
    EXPECT_GT(countNear(page, qRgb(220, 0, 0), 3), 60);
    EXPECT_TRUE(red.contains(low.center()));
    EXPECT_LT(low.top(), high.top());    // the first row above the last
    EXPECT_LT(low.left(), high.left());  // the first column left of the second
    EXPECT_GT(high.top(), 300);          // the map lies under the summary table
    EXPECT_GT(high.left(), low.left() + 2 * low.width());
    // The legend's colour bar, as wide as the map.
    QRectF bar;
    for (const DrawRect& r : report.pages[0].rects)
        if (!r.fill && r.stroke == kGridLineColour && r.box.width() > 5 * r.box.height())
            bar = r.box;
    ASSERT_FALSE(bar.isEmpty());
    // The OL and the REL take no cell: none of the map is light grey.
    const QImage map = page.copy(
        QRectF(bar.left(), red.top(), bar.width(), high.bottom() - red.top()).toAlignedRect());
    EXPECT_LT(countNear(map, qRgb(224, 224, 224), 2), 20);

    // The bar at any resolution one run from dark blue to yellow, lighter at every step (as
    // viridis is), without a lighter seam between two steps.
    // Two renderers: poppler's own, and cairo, which smooths each step's edges alone as many
    // viewers do.
    for (const char* renderer : {"pdftoppm", "pdftocairo"})
        for (int dpi : {50, 72, 96, 100, 150, 300}) {
            const double px = dpi / 72.0;
            const QRect crop =
                QRectF(bar.left() * px, bar.top() * px, bar.width() * px, bar.height() * px)
                    .toAlignedRect();
            const QString name = dir.filePath(QStringLiteral("%1-%2").arg(renderer).arg(dpi));
            ASSERT_EQ(hostExecute(renderer,
                                  {"-png", "-r", QString::number(dpi), "-f", "1", "-l", "1", "-x",
                                   QString::number(crop.left()), "-y", QString::number(crop.top()),
                                   "-W", QString::number(crop.width()), "-H",
                                   QString::number(crop.height()), "-singlefile", path, name}),
                      0);
            const QImage strip(name + ".png");
            ASSERT_FALSE(strip.isNull()) << renderer;
            const int y = strip.height() / 2;
            auto luma = [&](int x) { return qGray(strip.pixel(x, y)); };
            int seams = 0;
            // Clear of the frame at both ends.
            for (int x = static_cast<int>(2 * px) + 1; x + 1 < strip.width() - 2 * px - 1; ++x)
                if (luma(x) > luma(x + 1) + 3) ++seams;
            EXPECT_EQ(seams, 0) << renderer << " at " << dpi << " dots per inch";
            EXPECT_LT(luma(static_cast<int>(3 * px)), 40) << renderer << " " << dpi;
            EXPECT_GT(luma(strip.width() - 1 - static_cast<int>(3 * px)), 200)
                << renderer << " " << dpi;
        }
}

TEST(SurveyReportPdf, TheVerdictBlockAndTheMarkedReadingsOfTheDemonstrationSurvey) {
    CDTDoc d;
    const int lux[12] = {412, 455, 498, 430, 388, 520, 530, 470, 298, 360, 401, 442};
    for (int i = 0; i < 12; ++i) {
        const auto k = static_cast<size_t>(d.m_memCount++);
        d.m_memValues[k] = static_cast<float>(lux[i]);
        d.m_memModes[k] = QStringLiteral("General");
        d.m_memTimes[k] = QStringLiteral("12/07/26 10:%1:00").arg(20 + i);
    }
    ReportDetails details{"Office 2.14", "Main building, 2nd floor", ""};
    details.roomLength = 8;
    details.roomWidth = 6;
    details.planeHeight = 0.8;
    details.meterId = "SN 4711";
    const std::optional<QByteArray> pdf = surveyReportPdf(
        surveyReport(surveyReportInput(d, GridShape{4, 3, GridOrder::RowByRow}, details, 1765184400,
                                       PaperSize::A4, standardAreas().front())));
    ASSERT_TRUE(pdf);
    QTemporaryDir dir;
    const QString path = dir.filePath("verdict.pdf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*pdf);
    }
    QFile::remove("survey-verdict.pdf");
    QFile::copy(path, "survey-verdict.pdf");  // into the build folder, to look at
    const QStringList pages = run("pdftotext", {"-layout", path, "-"}).split(QLatin1Char('\f'));
    ASSERT_GE(pages.size(), 2);
    const QString first = pages[0];
    auto has = [&](const QString& page, const QString& pattern) {
        return page.contains(QRegularExpression(pattern));
    };
    EXPECT_TRUE(has(first, "Room\\s+8\\.00 m x 6\\.00 m")) << first.toStdString();
    EXPECT_TRUE(has(first, "Working plane\\s+0\\.80 m above the floor"));
    EXPECT_TRUE(has(first, "Meter\\s+SN 4711"));
    EXPECT_TRUE(first.contains("Requirement and verdict"));
    EXPECT_TRUE(has(first,
                    "Task area\\s+Writing, typing, reading, data processing \\(values of "
                    "EN 12464-1\\)"));
    EXPECT_TRUE(has(first, "Required\\s+\u0112m 500 lx, U0 0\\.60"));
    EXPECT_TRUE(has(first, "Measured\\s+Eavg 433\\.7 lx, U0 0\\.69"));
    EXPECT_TRUE(has(first, "Verdict\\s+FAIL\\s+Eavg 433\\.7 < 500"));
    EXPECT_TRUE(first.contains("Below \u0112m 500 lx: 10 points"));
    EXPECT_EQ(pages[1].count("below \u0112m"), 10);
    EXPECT_TRUE(has(pages[1],
                    "\\n\\s*1\\s+412\\.00\\s+Lux\\s+General\\s+12/07/26 10:20:00\\s+"
                    "below \u0112m"));
    EXPECT_TRUE(has(pages[1], "\\n\\s*6\\s+520\\.00\\s+Lux\\s+General\\s+12/07/26 10:25:00\\n"));

    // Page 1 at 60 dots per inch, as a person glances at it: the red FAIL badge sits under
    // the title block, above the summary table and the map.
    ASSERT_EQ(hostExecute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                       path, dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    page.save("survey-verdict-page1.png");
    // Left of the failures' red text, whose smoothed edges pass through the badge's colour.
    const QRect badge = boundsOf(page.copy(0, 0, 168, page.height()), qRgb(200, 30, 30), 6);
    ASSERT_FALSE(badge.isEmpty());
    // 56 x 22 points at 60 / 72: about 47 x 18 pixels, left at (50 + 90) x 60 / 72 = 117.
    EXPECT_NEAR(badge.width(), 47, 3);
    EXPECT_NEAR(badge.height(), 18, 3);
    EXPECT_NEAR(badge.left(), 117, 2);
    const QRect map = boundsOf(page, qRgb(253, 231, 37), 3);  // 530 lux, the map's yellow
    ASSERT_FALSE(map.isEmpty());
    EXPECT_LT(badge.bottom(), map.top());
    EXPECT_GT(countNear(page.copy(badge), qRgb(200, 30, 30), 6), 47 * 18 / 2);
}
