// SPDX-License-Identifier: GPL-3.0-or-later
// The memory list's survey: the figures under the list, the grid map and the PDF report.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QToolBar>

#include "HostTool.h"
#include "UiHarness.h"
#include "core/survey/SurveySettings.h"
#include "ui/memlist/CMemListDlg.h"
#include "ui/survey/CGridMapDlg.h"
#include "ui/survey/CGridShapeDlg.h"
#include "ui/survey/CReportDetailsDlg.h"
#include "ui/survey/CRequirementDlg.h"

using namespace km905;
using namespace km905::test;

namespace {

// Five stored readings: four normal ones and a relative one.
sim::Scenario surveyScenario() {
    sim::Scenario s = sim::demoScenario();
    auto rec = [](int minute, double lux, int mode) {
        sim::SimMemoryRecord m;
        m.time = {2026, 12, 7, 10, minute, 0};
        m.range = sim::autoRangeFor(lux, false);
        m.count = sim::countFor(lux, m.range, false);
        m.modeBits = mode;
        return m;
    };
    s.memory = {rec(1, 300, 0x00), rec(2, 250, 0x00), rec(3, 350, 0x00), rec(4, 200, 0x00),
                rec(5, 150, 0x30)};
    return s;
}

// The demonstration meter's office survey: twelve points of a 4 x 3 grid, then a REL.
sim::Scenario demoSurveyScenario() {
    sim::Scenario s = sim::demoScenario();
    s.memory.clear();
    const int lux[12] = {412, 455, 498, 430, 388, 520, 530, 470, 298, 360, 401, 442};
    for (int i = 0; i <= 12; ++i) {
        sim::SimMemoryRecord m;
        m.time = {2026, 12, 7, 10, 20 + i, 0};
        const double v = i < 12 ? lux[i] : 35;
        m.range = sim::autoRangeFor(v, false);
        m.count = sim::countFor(v, m.range, false);
        m.modeBits = i < 12 ? 0x00 : 0x30;
        s.memory.push_back(m);
    }
    return s;
}

CMemListDlg* downloadList(UiHarness& h) {
    h.advance(100);
    h.frame->updateCommands();
    h.frame->trigger(kCmdMem);
    for (int t = 0; t < 6000 && !h.frame->memoryList(); t += 20) h.advance(20);
    return h.frame->memoryList();
}

QAction* command(CMemListDlg* list, const QString& text) {
    for (QAction* a : list->findChild<QToolBar*>()->actions())
        if (a->text() == text) return a;
    return nullptr;
}

bool near(QRgb c, Rgb want) {
    return std::abs(qRed(c) - want.r) <= 2 && std::abs(qGreen(c) - want.g) <= 2 &&
           std::abs(qBlue(c) - want.b) <= 2;
}

// A note as the map shows it: "~" stands for a space a line never breaks at.
QString held(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('~'), QChar(0x00A0));
}

QString pdfText(const QString& pdf) {
    const HostRun text = hostRun("pdftotext", {"-layout", pdf, "-"});
    if (!text.ran) return "pdftotext (poppler-utils) is needed";
    return QString::fromUtf8(text.out);
}

}  // namespace

TEST(SurveyWindow, TheStripUnderTheListSumsUpTheDownload) {
    UiHarness h(surveyScenario());
    CMemListDlg* list = downloadList(h);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->table()->rowCount(), 5);
    EXPECT_EQ(list->table()->item(0, 1)->text(), "300.00");
    EXPECT_EQ(list->table()->item(4, 3)->text(), "Rel");
    // 300 + 250 + 350 + 200 = 1100 over 4: 275; 200 / 275 = 0.727, 200 / 350 = 0.571.
    EXPECT_TRUE(list->surveyLine()->isVisible());
    EXPECT_EQ(list->surveyLine()->text(),
              "Eavg 275.0 Lux   Emin 200.0 Lux   Emax 350.0 Lux   U0 0.73   Ud 0.57   "
              "(4 of 5 readings)");
    EXPECT_TRUE(list->leftOutLine()->isVisible());
    EXPECT_EQ(list->leftOutLine()->text(), "1 reading left out: 1 REL");
    EXPECT_GE(list->surveyLine()->geometry().top(), list->table()->geometry().bottom());
    saveShot(list->grab().toImage(), "survey-strip");
}

TEST(SurveyWindow, AnEmptyWindowShowsNoFigures) {
    UiHarness h;
    auto* list = new CMemListDlg(h.frame->model(), h.ui, h.clock, h.home.settings(), h.frame.get());
    list->show();
    UiHarness::settle();
    EXPECT_EQ(list->surveyLine()->text(), "");
    EXPECT_FALSE(list->leftOutLine()->isVisible());
    list->close();
}

TEST(SurveyWindow, GridAsksTheShapeAndShowsTheColouredMapKeptWithTheList) {
    UiHarness h(surveyScenario());
    CMemListDlg* list = downloadList(h);
    ASSERT_NE(list, nullptr);
    h.ui.gridAnswers = {GridShape{3, 2, GridOrder::Serpentine}};
    command(list, "Grid...")->trigger();
    UiHarness::settle();
    // Four normal readings (the REL is no point's): about square, 2 x 2, offered first.
    ASSERT_EQ(h.ui.gridShown.size(), 1u);
    EXPECT_EQ(h.ui.gridShown[0], (GridShape{2, 2, GridOrder::RowByRow}));
    CGridMapDlg* map = list->gridMap();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->windowTitle(), "Grid map: 3 x 2 points, serpentine");
    const QImage shot = map->mapView()->grab().toImage();
    saveShot(map->grab().toImage(), "survey-grid-map");
    const std::vector<QRectF>& cells = map->picture().cellBoxes;
    ASSERT_EQ(cells.size(), 6u);
    // Walked 300 250 350 along the top, back 200 along the bottom; the REL is listed under
    // the map, two points wait for a reading. Scale 200..350.
    // A place in each cell clear of its texts: right of the number, over the value.
    auto colourIn = [&](int cell) {
        const QRectF& b = cells[static_cast<size_t>(cell)];
        return shot.pixel(static_cast<int>(b.left() + 0.85 * b.width()),
                          static_cast<int>(b.top() + 0.2 * b.height()));
    };
    EXPECT_TRUE(near(colourIn(0), {58, 183, 118}));   // 300: two thirds up the scale
    EXPECT_TRUE(near(colourIn(1), {49, 103, 141}));   // 250: one third
    EXPECT_TRUE(near(colourIn(2), {253, 231, 37}));   // 350: Emax
    EXPECT_TRUE(near(colourIn(5), {68, 1, 84}));      // 200: Emin, at the bottom right
    EXPECT_TRUE(near(colourIn(4), {255, 255, 255}));  // points without a reading
    EXPECT_TRUE(near(colourIn(3), {255, 255, 255}));
    const QStringList notes = map->picture().drawing.texts.back().text.split('\n');
    EXPECT_EQ(notes, QStringList({held("Left out of the figures: No.~5~150.00~Lux~(REL)"),
                                  "2 points without a reading"}));
    // The minimum is outlined in red, all round: its number (4) keeps inside; its texts are
    // white.
    const QRectF& low = cells[5];
    EXPECT_TRUE(
        near(shot.pixel(static_cast<int>(low.left() + 2), static_cast<int>(low.center().y())),
             {220, 0, 0}));
    double outline = 0;
    for (const DrawRect& r : map->picture().drawing.rects)
        if (r.stroke == kMinimumOutline) outline = r.strokeWidth;
    ASSERT_GT(outline, 3);
    // The band's pixels from the one inside its outer edge to the one its inner edge crosses:
    // red, or red blended with the dark blue; never lit by the white number.
    const int outer = static_cast<int>(std::ceil(low.left())) + 1;
    const int inner = static_cast<int>(std::floor(low.left() + outline));
    const int outerTop = static_cast<int>(std::ceil(low.top())) + 1;
    const int innerTop = static_cast<int>(std::floor(low.top() + outline));
    const int right = static_cast<int>(low.right()) - 2;
    const int bottom = static_cast<int>(low.bottom()) - 2;
    const auto lit = [](QRgb c) { return qGreen(c) > 60; };
    EXPECT_EQ(countPixels(shot, QRect(QPoint(outer, outerTop), QPoint(right, innerTop)), lit), 0);
    EXPECT_EQ(countPixels(shot, QRect(QPoint(outer, outerTop), QPoint(inner, bottom)), lit), 0);
    const QRect middle =
        QRectF(low.left() + 8, low.top() + low.height() * 0.3, low.width() - 16, low.height() * 0.6)
            .toRect();
    EXPECT_GT(
        countPixels(shot, middle,
                    [](QRgb c) { return qRed(c) > 200 && qBlue(c) > 200 && qGreen(c) > 200; }),
        20);
    // The legend under the cells: its first of 48 slices (t = 1/96) dark blue, its last
    // (t = 95/96) yellow.
    const QRectF bar = map->picture().legendBar;
    const int barY = static_cast<int>(bar.center().y());
    EXPECT_TRUE(near(shot.pixel(static_cast<int>(bar.left() + 3), barY), {68, 5, 87}));
    EXPECT_TRUE(near(shot.pixel(static_cast<int>(bar.right() - 3), barY), {246, 230, 38}));
    EXPECT_GT(bar.top(), cells[5].bottom());

    // Kept with the unsaved list alone; a save puts it in the settings under the list file's
    // path, and the list opened again offers it.
    EXPECT_FALSE(QFile::exists(h.home.path() + "/Documents/KM905/KM905.ini"));
    const QString listFile = h.home.path() + "/hall.MemDat";
    h.ui.fileAnswers = {h.home.path() + "/hall"};
    command(list, "Save")->trigger();
    ASSERT_TRUE(QFile::exists(listFile));
    EXPECT_EQ(readSurveyGrid(h.home.settings(), listFile),
              (GridShape{3, 2, GridOrder::Serpentine}));
    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The next download is offered a shape of its own, not the last list's grid.
    CMemListDlg* next = downloadList(h);
    ASSERT_NE(next, nullptr);
    command(next, "Grid...")->trigger();  // no answer left: cancelled
    ASSERT_EQ(h.ui.gridShown.size(), 2u);
    EXPECT_EQ(h.ui.gridShown[1], (GridShape{2, 2, GridOrder::RowByRow}));
    next->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto* again =
        new CMemListDlg(h.frame->model(), h.ui, h.clock, h.home.settings(), h.frame.get());
    again->show();
    h.ui.fileAnswers = {listFile};
    command(again, "Open")->trigger();
    UiHarness::settle();
    EXPECT_EQ(again->table()->rowCount(), 5);
    command(again, "Grid...")->trigger();  // no answer left: cancelled
    ASSERT_EQ(h.ui.gridShown.size(), 3u);
    EXPECT_EQ(h.ui.gridShown[2], (GridShape{3, 2, GridOrder::Serpentine}));
    EXPECT_EQ(again->gridMap(), nullptr);
    again->close();
}

TEST(SurveyWindow, ReportWritesAPdfBesideTheListFile) {
    UiHarness h(surveyScenario());
    CMemListDlg* list = downloadList(h);
    ASSERT_NE(list, nullptr);
    const QString listFile = h.home.path() + "/hall.MemDat";
    h.ui.fileAnswers = {h.home.path() + "/hall"};
    command(list, "Save")->trigger();
    ASSERT_TRUE(QFile::exists(listFile));
    h.ui.gridAnswers = {GridShape{3, 2, GridOrder::RowByRow}};
    command(list, "Grid...")->trigger();

    h.ui.detailsAnswers = {ReportDetails{"Hall B lighting", "Plant 4, Bay 2", "Lamps warm"}};
    h.ui.fileAnswers = {RecordingInteraction::kAcceptProposed};
    command(list, "Report...")->trigger();
    ASSERT_FALSE(h.ui.dialogs.empty());
    const FileDialogRequest& asked = h.ui.dialogs.back();
    EXPECT_EQ(asked.folder, h.home.path());
    EXPECT_EQ(asked.proposedName, "hall survey.pdf");
    EXPECT_EQ(asked.filter, "PDF Files (*.pdf)");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.messages.join('\n').toStdString();
    const QString pdf = h.home.path() + "/hall survey.pdf";
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Hall B lighting")) << text.toStdString();
    EXPECT_TRUE(text.contains("Plant 4, Bay 2"));
    EXPECT_TRUE(text.contains("2026-12-07"));  // the first reading's day
    EXPECT_TRUE(text.contains("Grid map: 3 x 2 points, row by row"));
    EXPECT_TRUE(text.contains("275.0"));
    EXPECT_TRUE(text.contains("Page 1 of 2"));
    EXPECT_TRUE(text.contains("Page 2 of 2"));
    list->close();
}

TEST(SurveyWindow, AReportThatCannotBeWrittenSaysSo) {
    UiHarness h(surveyScenario());
    CMemListDlg* list = downloadList(h);
    ASSERT_NE(list, nullptr);
    h.ui.detailsAnswers = {ReportDetails{"T", "", ""}};
    h.ui.fileAnswers = {"/nonexistent-km905-folder/report"};
    command(list, "Report...")->trigger();
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_TRUE(h.ui.messages[0].startsWith("The file could not be saved: "));
    EXPECT_FALSE(QFile::exists("/nonexistent-km905-folder/report.pdf"));
    // A list not saved yet proposes its report in the data folder.
    EXPECT_EQ(h.ui.dialogs.back().folder, h.home.path() + "/Documents/KM905");
    list->close();
}

TEST(SurveyWindow, RequirementJudgesTheSurveyInTheStripAndEdgesThePointsBelowOnTheMap) {
    UiHarness h(demoSurveyScenario());
    CMemListDlg* list = downloadList(h);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->table()->rowCount(), 13);
    EXPECT_FALSE(list->verdictLine()->isVisible());
    h.ui.gridAnswers = {GridShape{4, 3, GridOrder::RowByRow}};
    command(list, "Grid...")->trigger();
    CGridMapDlg* map = list->gridMap();
    ASSERT_NE(map, nullptr);

    h.ui.requirementAnswers = {RequirementAnswer{standardAreas().front(), {}}};
    command(list, "Requirement...")->trigger();
    UiHarness::settle();
    ASSERT_EQ(h.ui.requirementShown.size(), 1u);
    EXPECT_FALSE(h.ui.requirementShown[0].current);
    // 5204 / 12 = 433.7 < 500; U0 298 / 433.67 = 0.69 passes.
    EXPECT_TRUE(list->verdictLine()->isVisible());
    EXPECT_EQ(list->verdictLine()->text(),
              "Required \u0112m 500 lx, U0 0.60 (Writing, typing, reading, data processing): "
              "FAIL: Eavg 433.7 < 500");
    EXPECT_EQ(list->verdictLine()->palette().color(QPalette::WindowText), QColor(190, 0, 0));
    saveShot(list->grab().toImage(), "survey-verdict-strip");

    // On the open map, black dashes on a white band edge the ten points below 500 lx; No. 6
    // (520) and No. 7 (530) keep their edges plain.
    const QImage shot = map->mapView()->grab().toImage();
    saveShot(map->grab().toImage(), "survey-verdict-map");
    const std::vector<QRectF>& cells = map->picture().cellBoxes;
    ASSERT_EQ(cells.size(), 12u);
    auto edgeRow = [&](int cell, const std::function<bool(QRgb)>& is) {
        const QRectF& b = cells[static_cast<size_t>(cell)];
        const int y = static_cast<int>(std::ceil(b.top())) + 1;
        return countPixels(
            shot, QRect(static_cast<int>(b.left()) + 2, y, static_cast<int>(b.width()) - 4, 1), is);
    };
    const auto black = [](QRgb c) { return qRed(c) < 50 && qGreen(c) < 50 && qBlue(c) < 50; };
    const auto white = [](QRgb c) { return qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) > 220; };
    for (int cell : {0, 1, 2, 3, 4, 7, 9, 10, 11}) {
        EXPECT_GT(edgeRow(cell, black), 10) << cell;
        EXPECT_GT(edgeRow(cell, white), 10) << cell;
    }
    for (int cell : {5, 6}) {
        EXPECT_EQ(edgeRow(cell, black), 0) << cell;
        EXPECT_EQ(edgeRow(cell, white), 0) << cell;
    }
    const QRectF key = map->picture().belowKey;
    ASSERT_FALSE(key.isEmpty());
    EXPECT_GT(key.top(), map->picture().legendBar.bottom());
    bool keyText = false;
    for (const DrawText& t : map->picture().drawing.texts)
        keyText |= t.text == "Below \u0112m 500 lx: 10 points";
    EXPECT_TRUE(keyText);

    // Values typed in: 300 lx and 0.40 pass.
    h.ui.requirementAnswers = {RequirementAnswer{SurveyRequirement{"", 30000, 400}, {}}};
    command(list, "Requirement...")->trigger();
    EXPECT_EQ(h.ui.requirementShown[1].current, standardAreas().front());
    EXPECT_EQ(list->verdictLine()->text(), "Required \u0112m 300 lx, U0 0.40: PASS");
    EXPECT_EQ(list->verdictLine()->palette().color(QPalette::WindowText), QColor(20, 130, 60));
    // The list's save takes the choice into the settings beside its grid.
    const QString listFile = h.home.path() + "/office.MemDat";
    h.ui.fileAnswers = {h.home.path() + "/office"};
    command(list, "Save")->trigger();
    EXPECT_EQ(readListRequirement(h.home.settings(), listFile),
              (SurveyRequirement{"", 30000, 400}));
    EXPECT_EQ(readSurveyGrid(h.home.settings(), listFile), (GridShape{4, 3, GridOrder::RowByRow}));
    list->close();
}

TEST(SurveyWindow, TheRequirementDialogChoosesAnAreaAndKeepsTheUsersOwn) {
    const SurveyRequirement bench{"Workshop bench", 75000, 700};
    CRequirementDlg d(RequirementQuestion{standardAreas(), {bench}, std::nullopt});
    d.show();
    UiHarness::settle();
    EXPECT_EQ(d.windowTitle(), "Survey Requirement");
    QListWidget* areas = d.areas();
    ASSERT_EQ(areas->count(), 9);
    EXPECT_EQ(areas->currentRow(), 0);
    EXPECT_EQ(areas->item(0)->text(), "(no requirement)");
    EXPECT_EQ(areas->item(7)->text(), "Stairs: 150 lx, U0 0.40");
    EXPECT_EQ(areas->item(8)->text(), "Workshop bench: 750 lx, U0 0.70  (mine)");
    EXPECT_FALSE(d.answer().chosen);
    areas->setCurrentRow(7);
    EXPECT_EQ(d.answer().chosen, (SurveyRequirement{"Stairs", 15000, 400}));
    saveShot(d.grab().toImage(), "survey-requirement-dialog");
    // Another value is no longer the shipped area; kept under a name of the user's, it is one
    // of theirs.
    auto* em = d.findChild<QDoubleSpinBox*>("em");
    auto* name = d.findChild<QLineEdit*>("name");
    ASSERT_TRUE(em && name);
    em->setValue(200);
    EXPECT_EQ(d.answer().chosen, (SurveyRequirement{"", 20000, 400}));
    name->setText("Back stairs");
    d.keepAsOwn();
    EXPECT_EQ(d.answer().own, (std::vector<SurveyRequirement>{
                                  bench, SurveyRequirement{"Back stairs", 20000, 400}}));
    EXPECT_EQ(areas->currentRow(), 9);
    EXPECT_EQ(d.answer().chosen, (SurveyRequirement{"Back stairs", 20000, 400}));
    areas->setCurrentRow(8);
    d.removeOwn();
    EXPECT_EQ(d.answer().own, (std::vector<SurveyRequirement>{{"Back stairs", 20000, 400}}));
    EXPECT_FALSE(d.answer().chosen);
}

TEST(SurveyWindow, TheGridDialogOffersItsShapeAndGivesBackTheChoice) {
    CGridShapeDlg d(GridShape{4, 3, GridOrder::Serpentine});
    d.show();
    UiHarness::settle();
    EXPECT_EQ(d.windowTitle(), "Survey Grid");
    auto* columns = d.findChild<QSpinBox*>("columns");
    auto* rows = d.findChild<QSpinBox*>("rows");
    auto* order = d.findChild<QComboBox*>("order");
    ASSERT_TRUE(columns && rows && order);
    EXPECT_EQ(columns->value(), 4);
    EXPECT_EQ(rows->value(), 3);
    EXPECT_EQ(order->currentText(), "Serpentine");
    EXPECT_EQ(columns->minimum(), 1);
    EXPECT_EQ(columns->maximum(), 99);
    EXPECT_EQ(rows->maximum(), 99);
    columns->setValue(120);  // held at 99
    rows->setValue(2);
    order->setCurrentIndex(0);
    EXPECT_EQ(d.shape(), (GridShape{99, 2, GridOrder::RowByRow}));
    // A room of 5 x 3 m: p = 0.2 x 5^log10(5) = 0.616 m, 5 / 0.616 = 8.1 and 3 / 0.616 = 4.9.
    auto* length = d.findChild<QDoubleSpinBox*>("roomLength");
    auto* width = d.findChild<QDoubleSpinBox*>("roomWidth");
    auto* proposal = d.findChild<QLabel*>("roomProposal");
    ASSERT_TRUE(length && width && proposal);
    EXPECT_EQ(length->text(), "--");
    length->setValue(5);
    EXPECT_EQ(columns->value(), 99);  // no proposal from one side alone
    width->setValue(3);
    EXPECT_EQ(proposal->text(), "p = 0.62 m: 8 x 5 points");
    EXPECT_EQ(d.shape(), (GridShape{8, 5, GridOrder::RowByRow}));
    saveShot(d.grab().toImage(), "survey-grid-dialog");
}

TEST(SurveyWindow, TheReportDialogOffersTheLastDetails) {
    CReportDetailsDlg d(ReportDetails{"Hall B", "Plant 4", "line 1\nline 2"});
    d.show();
    UiHarness::settle();
    EXPECT_EQ(d.windowTitle(), "Survey Report");
    auto* title = d.findChild<QLineEdit*>("title");
    auto* site = d.findChild<QLineEdit*>("site");
    auto* notes = d.findChild<QPlainTextEdit*>("notes");
    ASSERT_TRUE(title && site && notes);
    EXPECT_EQ(title->text(), "Hall B");
    EXPECT_EQ(notes->toPlainText(), "line 1\nline 2");
    title->setText("  Hall C ");
    site->clear();
    EXPECT_EQ(d.details(), (ReportDetails{"Hall C", "", "line 1\nline 2"}));
    d.findChild<QDoubleSpinBox*>("roomLength")->setValue(12.5);
    d.findChild<QDoubleSpinBox*>("roomWidth")->setValue(8);
    d.findChild<QDoubleSpinBox*>("planeHeight")->setValue(0.85);
    d.findChild<QLineEdit*>("meter")->setText(" SN 4711 ");
    ReportDetails want{"Hall C", "", "line 1\nline 2"};
    want.roomLength = 12.5;
    want.roomWidth = 8;
    want.planeHeight = 0.85;
    want.meterId = "SN 4711";
    EXPECT_EQ(d.details(), want);
    saveShot(d.grab().toImage(), "survey-report-dialog");
}
