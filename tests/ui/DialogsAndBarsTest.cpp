// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "UiHarness.h"
#include "ui/dialogs/CSampleRateDlg.h"
#include "ui/dialogs/CStatsBar.h"
#include "ui/dialogs/CYAxisDlg.h"
#include "ui/realtime/CRealTimeInfoBar.h"

using namespace km905;
using namespace km905::test;

namespace {
QPushButton* okButton(QDialog& d) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == "OK") return b;
    return nullptr;
}

sim::Scenario steady(double lux, bool fc = false) {
    sim::Scenario s = steadyScenario(lux);
    s.fc = fc;
    return s;
}
}  // namespace

TEST(SampleRateDialog, LettersAreRefusedAndTheDialogStaysOpen) {
    RecordingInteraction ui;
    CSampleRateDlg d(5, ui);
    EXPECT_EQ(d.windowTitle(), "Sample Rate Setup");
    EXPECT_EQ(d.field()->text(), "5");
    d.show();
    d.field()->setText("abc");
    okButton(d)->click();
    EXPECT_EQ(ui.messages, QStringList({"Please enter an integer."}));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    d.field()->setText(" 12 ");
    okButton(d)->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.m_rateSecs, 12);
}

TEST(SampleRateDialog, EscapeCancels) {
    RecordingInteraction ui;
    CSampleRateDlg d(1, ui);
    d.show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&d, &esc);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
}

TEST(YAxisDialog, ListsSelectionsAndPositionsWithoutAValue) {
    CYAxisDlg d(1, 0);
    EXPECT_EQ(d.windowTitle(), "Y OFFSET And Y GAINS Setup");
    ASSERT_EQ(d.gainList()->count(), 7);
    EXPECT_EQ(d.gainList()->itemText(3), "4k");
    EXPECT_EQ(d.gainList()->itemText(5), "");
    EXPECT_EQ(d.gainList()->currentText(), "40");
    EXPECT_EQ(d.offsetList()->currentText(), "0");
    CYAxisDlg stored(9, 2);  // a stored position the list does not have
    EXPECT_EQ(stored.gainList()->currentIndex(), -1);
    stored.show();
    okButton(stored)->click();
    EXPECT_EQ(stored.m_gainSel, -1);
    EXPECT_EQ(stored.m_offsetSel, 2);
}

TEST(InfoAndStatsBars, ShowTheRecordingAndStatisticsInLux) {
    UiHarness h(steady(250));
    EXPECT_EQ(h.frame->view()->infoBar()->battery(), "");  // before any frame
    EXPECT_EQ(h.frame->view()->statsBar()->maxText(), "");
    h.ui.rateAnswers = {1};
    h.advance(100);
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdRun)->isEnabled());
    EXPECT_FALSE(h.frame->action(kCmdSave)->isEnabled());
    h.frame->trigger(kCmdRun);
    UiHarness::settle();  // the repaint after Run arms the first tick
    h.advance(2150);
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdSave)->isEnabled());
    EXPECT_TRUE(h.frame->action(kCmdStop)->isEnabled());
    EXPECT_FALSE(h.frame->action(kCmdRun)->isEnabled());
    const CRealTimeInfoBar* info = h.frame->view()->infoBar();
    EXPECT_EQ(info->battery(), "Normal");
    EXPECT_EQ(info->sampleRate(), "1");
    EXPECT_EQ(info->dataNo(), "3");
    EXPECT_EQ(info->startTime(),
              formatLocalTime(h.frame->model().view.m_startTime, "%m/%d/%y %H:%M:%S"));
    const CStatsBar* stats = h.frame->view()->statsBar();
    EXPECT_EQ(stats->maxText(), "250.00  Lux");
    EXPECT_EQ(stats->minText(), "250.00  Lux");
    EXPECT_EQ(stats->avgText(), "250.00  Lux");
    EXPECT_EQ(stats->maxTime().size(), 8);
    saveShot(h.frame->grab().toImage(), "recording-lux");
    h.frame->trigger(kCmdStop);
    h.frame->updateCommands();
    EXPECT_FALSE(h.frame->action(kCmdStop)->isEnabled());
}

// A screen reader finds each field of both bars by its label's text, and Tab reaches it.
TEST(InfoAndStatsBars, EachFieldIsNamedByItsLabelAndReachedWithTab) {
    UiHarness h(steady(250));
    h.advance(100);
    h.frame->view()->statsBar()->transfer();
    QStringList names;
    QString maxValue;
    for (QWidget* bar : {static_cast<QWidget*>(h.frame->view()->infoBar()),
                         static_cast<QWidget*>(h.frame->view()->statsBar())})
        for (QLineEdit* field : bar->findChildren<QLineEdit*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(field);
            ASSERT_NE(a, nullptr);
            names << a->text(QAccessible::Name);
            EXPECT_TRUE(field->focusPolicy() & Qt::TabFocus) << names.back().toStdString();
            if (names.back() == "Max") maxValue = a->text(QAccessible::Value);
        }
    EXPECT_EQ(names, QStringList({"voltage stage", "Sample Rate", "Start Time", "Data No.", "Max",
                                  "Max Time", "Min", "Min Time", "Avg"}));
    EXPECT_EQ(maxValue, "250.00  Lux");
}

TEST(InfoAndStatsBars, StatisticsInFootCandles) {
    UiHarness h(steady(21520, true));  // 2000 FC
    h.advance(100);
    h.frame->view()->update();
    UiHarness::settle();
    h.frame->view()->renderGraph(h.frame->view()->size());
    EXPECT_EQ(h.frame->view()->statsBar()->maxText(), "2.00  KFC");
    EXPECT_EQ(h.frame->model().view.m_lcdUnit, "FC");
}

// Without a recording nothing repaints the graph, yet the bar follows every live frame.
TEST(InfoAndStatsBars, StatisticsFollowTheLiveFramesWithoutARecording) {
    sim::Scenario s = steady(0);
    s.level.kind = sim::LevelCurve::Kind::Points;
    s.level.points = {{0, 435}, {1, 435}, {2, 459}, {60, 459}};  // in range 4k lux throughout
    UiHarness h(s);
    h.advance(1000);
    const CStatsBar* stats = h.frame->view()->statsBar();
    EXPECT_EQ(stats->maxText(), "435.00  Lux");
    h.advance(2000);
    EXPECT_EQ(stats->maxText(), "459.00  Lux");
    EXPECT_EQ(stats->minText(), "435.00  Lux");
}

TEST(InfoAndStatsBars, TheYAxisButtonRescalesTheGraph) {
    UiHarness h(steady(250));
    h.ui.yAxisAnswers = {{3, 2}};
    h.frame->view()->infoBar()->yAxisButton()->click();
    h.frame->view()->renderGraph(h.frame->view()->size());
    const RtGraphState& g = h.frame->view()->graphState();
    EXPECT_EQ(g.m_yLabelText[0], "16.00k");
    EXPECT_EQ(g.m_yLabelText[10], "56.00k");
}

TEST(MainWindow, ClosingWithSamplesOffersToSave) {
    UiHarness h(steady(250));
    h.frame->model().view.m_sampleIndex = 2;
    h.frame->close();
    EXPECT_EQ(h.ui.questions, QStringList({"Do you want to save the data before closing?"}));
    h.advance(50);
    EXPECT_EQ(h.meter.endOfLinkCount(), 1);
}

// The close sequence's save failed: the window stays, with the link and the recording.
TEST(MainWindow, AFailedSaveOnClosingKeepsTheWindowOpen) {
    UiHarness h(steady(250));
    h.frame->show();
    h.frame->model().view.m_sampleIndex = 2;
    h.ui.answers = {true};
    h.ui.fileAnswers = {QStringLiteral("/nonexistent-km905-folder/run")};
    EXPECT_FALSE(h.frame->close());
    EXPECT_TRUE(h.frame->isVisible());
    EXPECT_EQ(h.ui.messages, QStringList({"The file could not be saved: the folder "
                                          "/nonexistent-km905-folder does not exist. Nothing was "
                                          "changed on the disk."}));
    h.advance(3000);
    EXPECT_EQ(h.meter.endOfLinkCount(), 0);
    EXPECT_EQ(h.frame->model().view.m_sampleIndex, 2);
    h.ui.answers = {false};
    EXPECT_TRUE(h.frame->close());
    h.advance(50);
    EXPECT_EQ(h.meter.endOfLinkCount(), 1);
}
