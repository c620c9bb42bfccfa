// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMouseEvent>

#include "UiHarness.h"
#include "core/panel/MeterFace.h"
#include "ui/panel/CLcdArea.h"
#include "ui/panel/CMeterPanelDlg.h"
#include "ui/panel/CPanelButton.h"

using namespace km905;
using namespace km905::test;

namespace {
const QRect kLcd(kLcdX, kLcdY, kLcdW, kLcdH);

sim::Scenario steady(double lux, int range = 2) {
    sim::Scenario s = steadyScenario(lux);
    s.autoRange = false;
    s.range = range;
    return s;
}
}  // namespace

TEST(MeterPanel, OfflineFaceBeforeTheFirstFrame) {
    sim::Scenario s = steady(250);
    s.faults.silentAlways = true;
    UiHarness h(s);
    const QImage face = h.grabPanel();
    saveShot(face, "panel-offline");
    EXPECT_GT(countPixels(face, kLcd, isRed), 150);  // "OFFLINE" in red
    EXPECT_EQ(countPixels(face, kLcd, isDark), 0);   // nothing else in the LCD
    // 13 pixels a character from x = 53: it ends by x = 144, well inside the LCD (x < 166).
    EXPECT_EQ(countPixels(face, QRect(146, 125, 74, 150), isRed), 0);
    EXPECT_EQ(face.pixelColor(0, 0), QColor(Qt::white));  // the brand block
}

TEST(MeterPanel, AFrameShowsNumberUnitRangeAndBar) {
    UiHarness h(steady(2500));
    h.advance(40);
    ASSERT_EQ(h.frame->model().view.m_lcdValue, "2500");
    const QImage face = h.grabPanel();
    saveShot(face, "panel-2500lux");
    EXPECT_EQ(countPixels(face, kLcd, isRed), 0);
    // The number is right-aligned at x = 145: four characters from x = 85.
    EXPECT_GT(countPixels(face, QRect(85, 190, 60, 55), isDark), 200);
    EXPECT_EQ(countPixels(face, QRect(52, 205, 30, 35), isDark), 0);   // below the bar
    EXPECT_EQ(countPixels(face, QRect(146, 200, 20, 45), isDark), 0);  // nothing past x = 145
    // Unit and range texts.
    EXPECT_GT(countPixels(face, QRect(140, 250, 26, 12), isDark), 5);
    EXPECT_GT(countPixels(face, QRect(117, 250, 20, 10), isDark), 3);
    // 25 of 40 bar ticks: tick 0 and 20 are drawn, tick 30 and 40 are not.
    const BarTicks& t = barTicks();
    auto tickInk = [&](int i) {
        const QPoint mid((t.innerX[i] + t.outerX[i]) / 2, (t.innerY[i] + t.outerY[i]) / 2);
        return countPixels(face, QRect(mid - QPoint(1, 1), QSize(3, 3)), isDark);
    };
    EXPECT_GT(tickInk(0), 0);
    EXPECT_GT(tickInk(20), 0);
    EXPECT_EQ(tickInk(30), 0);
    EXPECT_EQ(tickInk(40), 0);
}

TEST(MeterPanel, TheFaceFollowsTheMeterAndGoesOfflineWhenItStops) {
    UiHarness h(steady(250, 1));
    h.advance(40);
    EXPECT_EQ(h.frame->model().view.m_lcdValue, "250.0");
    h.meter.scenario().faults.silentAlways = true;
    h.advance(4100);  // two watchdog ticks without a frame: a poll, no answer
    EXPECT_EQ(countPixels(h.grabPanel(), kLcd, isRed), 0);  // silence alone keeps the face
    h.comm.unplug();
    h.advance(4100);
    EXPECT_EQ(h.frame->model().view.m_linkDown, 1);
    EXPECT_GT(countPixels(h.grabPanel(), kLcd, isRed), 150);
    h.comm.replug();
    h.meter.scenario().faults.silentAlways = false;
    h.advance(4100);
    EXPECT_EQ(h.frame->model().view.m_linkDown, 0);
    EXPECT_EQ(countPixels(h.grabPanel(), kLcd, isRed), 0);
}

TEST(MeterFaceItems, ModeWordsAndBarLabels) {
    ViewState v;
    v.m_linkDown = 0;
    v.m_lcdMode = "MAX ";
    v.m_lcdCounts = 15;
    FacePicture f = meterFace(v);
    QStringList texts;
    for (const FaceText& t : f.texts) texts << t.text;
    EXPECT_EQ(texts.count("Manu"), 1);
    EXPECT_EQ(texts.count("MAX "), 1);
    EXPECT_TRUE(texts.contains("0"));
    EXPECT_TRUE(texts.contains("10"));
    EXPECT_FALSE(texts.contains("20"));
    EXPECT_EQ(f.ticksDrawn, 16);
    v.m_lcdMode = "Manu";
    v.m_lcdCounts = 55;
    f = meterFace(v);
    texts.clear();
    for (const FaceText& t : f.texts) texts << t.text;
    EXPECT_EQ(texts.count("Manu"), 1);
    EXPECT_EQ(f.ticksDrawn, 41);
    EXPECT_EQ(v.m_lcdCounts, 55);  // the picture fills the bar without changing the state
    EXPECT_TRUE(texts.contains("40"));
    v.m_lcdCounts = -1;
    EXPECT_EQ(meterFace(v).ticksDrawn, 0);
    v.m_lcdValue = "OL";
    for (const FaceText& t : meterFace(v).texts) {
        if (t.text == "OL") {
            EXPECT_EQ(t.x, 145 - 30);
        }
    }
}

TEST(MeterPanel, ClickingHoldMakesTheMeterHold) {
    UiHarness h(steady(250, 1));
    h.advance(40);
    CPanelButton* hold = nullptr;
    for (CPanelButton* b : h.frame->view()->meterPanel()->findChildren<CPanelButton*>())
        if (b->text() == "HOLD") hold = b;
    ASSERT_NE(hold, nullptr);
    EXPECT_EQ(hold->geometry(), QRect(86, 459, 44, 31));
    hold->click();
    h.advance(500);
    EXPECT_EQ(h.meter.commandLog().back(), "poll");
    EXPECT_EQ(h.frame->model().view.m_lcdHold, "HOLD");
}

// A held key shows the hand-shaped pressed cursor until it is let go; POWEROFF never does.
TEST(MeterPanel, AHeldKeyShowsTheHandCursorExceptPowerOff) {
    UiHarness h(steady(250, 1));
    h.advance(40);
    const QList<CPanelButton*> keys = h.frame->view()->meterPanel()->findChildren<CPanelButton*>();
    ASSERT_EQ(keys.size(), 9);
    auto mouse = [](CPanelButton* b, QEvent::Type type) {
        const QPointF at(b->width() / 2, b->height() / 2);
        QMouseEvent e(type, at, b->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    };
    for (CPanelButton* b : keys) {
        SCOPED_TRACE(b->text().toStdString());
        EXPECT_EQ(b->cursor().shape(), Qt::ArrowCursor);
        mouse(b, QEvent::MouseButtonPress);
        EXPECT_EQ(b->cursor().shape(),
                  b->text() == "POWEROFF" ? Qt::ArrowCursor : Qt::PointingHandCursor);
        mouse(b, QEvent::MouseButtonRelease);
        EXPECT_EQ(b->cursor().shape(), Qt::ArrowCursor);
        h.advance(500);  // the key press runs its course
    }
}

// Without a mouse: Tab walks the LCD and the keys row by row, Return and Space press a key, and
// a second press within the double-click time is the key's double-click (LOAD: 87 83 DB).
TEST(MeterPanel, TheKeysAreReachedWithTabAndPressedFromTheKeyboard) {
    UiHarness h(steady(250, 1));
    h.advance(40);
    h.frame->activateWindow();
    UiHarness::settle();
    CMeterPanelDlg* panel = h.frame->view()->meterPanel();
    panel->lcd()->setFocus(Qt::TabFocusReason);
    UiHarness::settle();
    ASSERT_EQ(QApplication::focusWidget(), panel->lcd());
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        pressKey(QApplication::focusWidget(), Qt::Key_Tab);
        auto* key = qobject_cast<CPanelButton*>(QApplication::focusWidget());
        order << (key ? key->text() : QStringLiteral("?"));
    }
    EXPECT_EQ(order, QStringList({"FCLUX", "LOAD", "RANGE", "MEMSET", "MAXMIN", "PEAK", "REL",
                                  "HOLD", "POWEROFF"}));

    auto keyNamed = [&](const QString& caption) -> CPanelButton* {
        for (CPanelButton* b : panel->findChildren<CPanelButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    };
    auto sentSince = [&](size_t from) {
        QStringList keys;
        const std::vector<QString>& log = h.meter.commandLog();
        for (size_t i = from; i < log.size(); ++i)
            if (log[i].startsWith("key ")) keys << log[i];
        return keys;
    };

    CPanelButton* hold = keyNamed("HOLD");
    hold->setFocus(Qt::TabFocusReason);
    size_t from = h.meter.commandLog().size();
    pressKey(QApplication::focusWidget(), Qt::Key_Return);
    h.advance(500);
    EXPECT_EQ(sentSince(from), QStringList({"key HOLD"}));
    EXPECT_EQ(h.frame->model().view.m_lcdHold, "HOLD");

    CPanelButton* load = keyNamed("LOAD");
    load->setFocus(Qt::TabFocusReason);
    from = h.meter.commandLog().size();
    pressKey(load, Qt::Key_Space);
    h.advance(50);
    pressKey(load, Qt::Key_Space);
    h.advance(1000);
    EXPECT_EQ(sentSince(from), QStringList({"key LOAD double"}));
    // Presses further apart than the double-click time are two single presses.
    from = h.meter.commandLog().size();
    pressKey(load, Qt::Key_Space);
    h.advance(QApplication::doubleClickInterval() + 100);
    pressKey(load, Qt::Key_Space);
    h.advance(1000);
    EXPECT_EQ(sentSince(from), QStringList({"key LOAD", "key LOAD"}));
    // POWEROFF sends nothing from the keyboard either.
    from = h.meter.commandLog().size();
    pressKey(keyNamed("POWEROFF"), Qt::Key_Return);
    h.advance(1000);
    EXPECT_EQ(sentSince(from), QStringList());
}

// A screen reader reads the LCD: its value, unit and range, HOLD, and OFFLINE without a link.
TEST(MeterPanel, TheLcdReadsTheDisplayToAScreenReader) {
    UiHarness h(steady(2500));
    QAccessibleInterface* lcd =
        QAccessible::queryAccessibleInterface(h.frame->view()->meterPanel()->lcd());
    ASSERT_NE(lcd, nullptr);
    EXPECT_EQ(lcd->text(QAccessible::Name), "LCD");
    EXPECT_EQ(lcd->text(QAccessible::Description), "OFFLINE");
    EXPECT_TRUE(lcd->state().focusable);
    h.advance(40);
    ASSERT_EQ(h.frame->model().view.m_lcdValue, "2500");
    // Range code 2 in lux: "Lux", label "4k".
    EXPECT_TRUE(lcd->text(QAccessible::Description).startsWith("2500 Lux, range 4k"))
        << lcd->text(QAccessible::Description).toStdString();
    EXPECT_FALSE(lcd->text(QAccessible::Description).contains("HOLD"));
    h.frame->keys().click(1044);  // HOLD
    h.advance(500);
    EXPECT_TRUE(lcd->text(QAccessible::Description).contains(", HOLD"))
        << lcd->text(QAccessible::Description).toStdString();
    h.comm.unplug();
    h.advance(8200);
    EXPECT_EQ(lcd->text(QAccessible::Description), "OFFLINE");
}
