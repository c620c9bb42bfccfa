// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "UiHarness.h"
#include "core/app/Settings.h"
#include "ui/app/QtUserInteraction.h"
#include "ui/dialogs/CDownloadProgressDlg.h"
#include "ui/logger/CLoggerGraphDlg.h"
#include "ui/panel/CMeterPanelDlg.h"

using namespace km905;
using namespace km905::test;

namespace {
sim::Scenario quiet() {
    sim::Scenario s;
    s.faults.silentAlways = true;
    return s;
}

// A menu's entries as a person reads them, "-" for a separator.
QStringList entries(const QMenu* menu) {
    QStringList l;
    for (const QAction* a : menu->actions())
        l << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return l;
}

// Runs `look` on the modal window that `open` shows, once it is up; `look` closes it.
void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        seen = true;
        const QPointer<QWidget> alive(w);
        look(w);
        if (alive && alive->isVisible()) alive->close();  // a failed look still ends the wait
    });
    open();
    EXPECT_TRUE(seen);
}

// A dialog's frame: no maximise button, and room for the whole caption beside the window
// manager's three buttons.
void expectDialogFrame(const QWidget* w, bool closeBox, bool minimizeBox = false) {
    const Qt::WindowFlags f = w->windowFlags();
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Dialog) << w->windowTitle().toStdString();
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint) << w->windowTitle().toStdString();
    EXPECT_EQ(bool(f & Qt::WindowCloseButtonHint), closeBox) << w->windowTitle().toStdString();
    EXPECT_EQ(bool(f & Qt::WindowMinimizeButtonHint), minimizeBox);
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(w->width(), QFontMetrics(bold).horizontalAdvance(w->windowTitle()) + 3 * 30)
        << w->windowTitle().toStdString();
}

// The status bar's texts a person sees: its passing message and the panes that are shown.
QStringList statusTexts(CMainFrame& f) {
    QStringList l;
    if (!f.statusBar()->currentMessage().isEmpty()) l << f.statusBar()->currentMessage();
    for (const QLabel* pane : f.statusBar()->findChildren<QLabel*>())
        if (pane->isVisible() && !pane->text().isEmpty()) l << pane->text();
    return l;
}
}  // namespace

TEST(MainWindow, TheMenusListTheirCommands) {
    UiHarness h(quiet());
    const QList<QAction*> menus = h.frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&File(F)");
    EXPECT_EQ(menus[1]->text(), "&RealTime(R)");
    EXPECT_EQ(menus[2]->text(), "&Help(H)");
    EXPECT_EQ(entries(menus[0]->menu()), QStringList({"&Save", "Export &CSV for spreadsheets...",
                                                      "&Open", "&Print", "&Exit"}));
    EXPECT_EQ(entries(menus[1]->menu()),
              QStringList({"&Run", "-", "&Stop", "&UndoZoom", "&Data Logger(D)", "&Mem(M)"}));
    EXPECT_EQ(entries(menus[2]->menu()), QStringList({"&About KM905...", "-", "&Contents"}));
}

TEST(MainWindow, ToolbarButtonsAndTheirTooltips) {
    UiHarness h(quiet());
    auto* bar = h.frame->findChild<QToolBar*>("toolbar");
    ASSERT_NE(bar, nullptr);
    QStringList tips;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) {
            tips << "-";
            continue;
        }
        QWidget* button = bar->widgetForAction(a);
        ASSERT_NE(button, nullptr);
        // The tip that shows when the pointer rests on the button.
        const QPoint at(4, 4);
        QHelpEvent rest(QEvent::ToolTip, at, button->mapToGlobal(at));
        QApplication::sendEvent(button, &rest);
        tips << QToolTip::text();
        QToolTip::hideText();
    }
    EXPECT_EQ(tips, QStringList({"Save", "-", "Open", "-", "Start", "-", "Stop", "-", "Print", "-",
                                 "UndoZoom", "-", "Help", "-"}));
}

TEST(MainWindow, TheAboutBoxShowsTheVersion) {
    UiHarness h(quiet());
    QString title;
    QStringList texts;
    bool icon = false;
    QStringList buttons;
    whileModal([&] { h.frame->action(kCmdAbout)->trigger(); },
               [&](QWidget* w) {
                   title = w->windowTitle();
                   for (const QLabel* l : w->findChildren<QLabel*>()) {
                       if (!l->text().isEmpty()) texts << l->text();
                       if (!l->pixmap().isNull()) icon = true;
                   }
                   auto* box = w->findChild<QDialogButtonBox*>();
                   ASSERT_NE(box, nullptr);
                   for (QAbstractButton* b : box->buttons()) buttons << b->text().remove('&');
                   box->buttons().first()->click();
               });
    EXPECT_EQ(title, "About KM905");
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], "KM905 Version 2.3.3");
    EXPECT_TRUE(icon);
    EXPECT_EQ(buttons, QStringList({"OK"}));
}

TEST(MainWindow, MessageBoxesArePlain) {
    UiHarness h(quiet());
    QtUserInteraction ui(h.frame.get(), h.home.settings());
    QMessageBox::Icon icon = QMessageBox::Information;
    QString text;
    whileModal([&] { ui.showMessage("Invalid Format!"); },
               [&](QWidget* w) {
                   auto* box = qobject_cast<QMessageBox*>(w);
                   ASSERT_NE(box, nullptr);
                   icon = box->icon();
                   text = box->text();
                   expectDialogFrame(box, true);
                   ASSERT_NE(box->button(QMessageBox::Ok), nullptr);
                   box->button(QMessageBox::Ok)->click();
               });
    EXPECT_EQ(text, "Invalid Format!");
    EXPECT_EQ(icon, QMessageBox::NoIcon);

    icon = QMessageBox::Question;
    bool answer = false;
    whileModal([&] { answer = ui.askYesNo("Do you want to save the data before closing?"); },
               [&](QWidget* w) {
                   auto* box = qobject_cast<QMessageBox*>(w);
                   ASSERT_NE(box, nullptr);
                   icon = box->icon();
                   ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
                   ASSERT_NE(box->button(QMessageBox::No), nullptr);
                   box->button(QMessageBox::Yes)->click();
               });
    EXPECT_TRUE(answer);
    EXPECT_EQ(icon, QMessageBox::NoIcon);

    // The Y axis dialog has no system menu, the progress window no close box, and the
    // datalogger window a minimise box beside its close box.
    whileModal([&] { ui.askYAxis(1, 0); }, [&](QWidget* w) { expectDialogFrame(w, false); });
    expectDialogFrame(h.frame->progressWindow(), false);
    auto* logger =
        new CLoggerGraphDlg(h.session().model(), h.ui, h.clock, h.home.settings(), h.frame.get());
    logger->show();
    UiHarness::settle();
    expectDialogFrame(logger, true, true);
    logger->close();
    UiHarness::settle();
}

// Printed to a PDF, a report is proposed in the data folder, as Save proposes its files.
// Qt's own print dialog, which prints to a PDF file; Windows' dialog prints to its printers.
#ifndef _WIN32
TEST(MainWindow, ThePrintDialogProposesThePdfInTheDataFolder) {
    UiHarness h(quiet());
    // Qt's dialog proposes the current folder only inside the home folder, as the data folder is.
    const HomeVariable home(h.home.path());
    QtUserInteraction ui(h.frame.get(), h.home.settings());
    ReportPage page;
    page.proposedName = "12-08-25 09.00.00";
    const QString before = QDir::currentPath();
    QString proposed;
    whileModal([&] { ui.printReport({page}); },
               [&](QWidget* w) {
                   if (auto* name = w->findChild<QLineEdit*>("filename")) proposed = name->text();
               });
    EXPECT_TRUE(proposed.startsWith(h.home.settings().dataFolder())) << proposed.toStdString();
    EXPECT_EQ(QDir::currentPath(), before);
}
#endif

TEST(StatusBar, ThePortStaysInSightUnderToolbarAndMenuHelp) {
    UiHarness h(sim::demoScenario(), 5);  // the meter is on port 5, the settings say 1
    h.frame->updateCommands();
    const QString port = "Port 1 (" + portOneDevice() + "): no such device";
    ASSERT_TRUE(statusTexts(*h.frame).contains(port));

    // The pointer comes to rest on the Start button: its fly-by help shows beside the port.
    auto* bar = h.frame->findChild<QToolBar*>("toolbar");
    QWidget* start = bar->widgetForAction(h.frame->action(kCmdRun));
    const QPointF at(4, 4);
    QEnterEvent enter(at, at, start->mapToGlobal(at));
    QApplication::sendEvent(start, &enter);
    QStringList shown = statusTexts(*h.frame);
    EXPECT_TRUE(shown.contains("Start")) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.contains(port)) << shown.join(" | ").toStdString();
    // A click takes the tip away, as leaving the button would: Start is disabled under the
    // pointer, which then never leaves it.
    h.frame->trigger(kCmdRun);
    EXPECT_EQ(h.frame->statusBar()->currentMessage(), "");

    // A menu entry's help likewise.
    QStatusTipEvent tip("Save");
    QApplication::sendEvent(h.frame.get(), &tip);
    h.frame->updateCommands();
    shown = statusTexts(*h.frame);
    EXPECT_TRUE(shown.contains("Save")) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.contains(port)) << shown.join(" | ").toStdString();
}

TEST(MainWindow, TheKeysALinuxUserTriesFirst) {
    UiHarness h;
    EXPECT_EQ(h.frame->action(kCmdRun)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(h.frame->action(kCmdStop)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    EXPECT_EQ(h.frame->action(kCmdExit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Ctrl+Q works from the help window as well as from the main window.
    EXPECT_EQ(h.frame->action(kCmdExit)->shortcutContext(), Qt::ApplicationShortcut);
    EXPECT_EQ(h.frame->action(kCmdHelp)->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST(MainWindow, HelpIsShownInsideTheProgram) {
    const ScratchData data;
    QtUserInteraction ui(nullptr, data.settings());
    ui.openHelp(KM905_HELP_PAGE);
    QWidget* help = ui.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "KM905 Help");
    auto* browser = help->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains("Connecting the meter on Linux"));
    EXPECT_TRUE(browser->toPlainText().contains("sudo adduser $USER dialout"));
    // A second Help brings the same window forward.
    ui.openHelp(KM905_HELP_PAGE);
    EXPECT_EQ(ui.helpWindow(), help);
    help->close();
}

// Exit (Ctrl+Q, and SIGTERM, which closes the window the same way) with the help window open
// closes it too: the last window goes and the program's event loop ends.
TEST(MainWindow, ExitWithTheHelpWindowOpenEndsTheProgram) {
    UiHarness h(quiet());
    QtUserInteraction ui(h.frame.get(), h.home.settings());
    ui.openHelp(KM905_HELP_PAGE);
    const QPointer<QWidget> help = ui.helpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isVisible());
    // The program's own loop: it ends by itself once the last window has gone.
    bool endedByItself = true;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&endedByItself] {
        endedByItself = false;
        QApplication::exit(1);
    });
    deadline.start(10000);
    QTimer::singleShot(0, h.frame.get(), [&h] { h.frame->action(kCmdExit)->trigger(); });
    QApplication::exec();
    EXPECT_TRUE(endedByItself);
    EXPECT_FALSE(h.frame->isVisible());
    EXPECT_TRUE(help.isNull() || !help->isVisible());
}

TEST(StatusBar, AMeterClockOffByMoreThanTwoMinutesIsTold) {
    sim::Scenario s = sim::demoScenario();
    s.clockStart = MeterDateTime{2025, 12, 8, 9, 7, 0};  // the computer says 09:00:00
    UiHarness h(s);
    h.advance(500);
    h.frame->updateCommands();
    const QString port = "Port 1 (" + portOneDevice() + ")";
    EXPECT_EQ(h.frame->statusPane(0), port + "   Meter clock is 7 min ahead");

    UiHarness onTime;
    onTime.advance(500);
    onTime.frame->updateCommands();
    EXPECT_EQ(onTime.frame->statusPane(0), port);
}

// The line raises messages faster than anyone reads them: one box at a time, a repeat of the
// one on screen or waiting is dropped, and the next opens only after the first has closed.
TEST(MainWindow, MessagesOfTheLineOpenOneBoxAtATime) {
    sim::Scenario s = steadyScenario(250);
    s.lowBattery = true;
    UiHarness h(s);
    int open = 0, mostOpen = 0;
    h.ui.whileShown = [&](const QString&) {
        mostOpen = std::max(mostOpen, ++open);
        for (int i = 0; i < 100; ++i) {  // the user tries both downloads while the box is up
            h.frame->trigger(kCmdMem);
            h.frame->trigger(kCmdDataLogger);
            QApplication::processEvents();
        }
        --open;
    };
    h.advance(1000);
    h.advance(1000);
    EXPECT_EQ(h.ui.messages,
              QStringList({"Power is low,please change another battery!",
                           "Power is low,please change another battery to try again!"}));
    EXPECT_EQ(mostOpen, 1);
}

// Un-maximised, the window keeps room for the meter panel, the graph and the status panes.
TEST(MainWindow, ARestoredWindowShowsThePanelTheGraphAndThePanes) {
    UiHarness h;
    h.frame->showMaximized();
    UiHarness::settle();
    h.frame->showNormal();
    h.frame->resize(268, 100);  // what a window manager asks of a window without a size
    UiHarness::settle();
    saveShot(h.frame->grab().toImage(), "main-window-restored");
    EXPECT_GE(h.frame->width(), 840);
    EXPECT_GE(h.frame->view()->meterPanel()->height(), 620);
    EXPECT_GE(h.frame->view()->height(), 640);
    QList<QRect> panes;
    for (QLabel* l : h.frame->statusBar()->findChildren<QLabel*>())
        if (l->isVisible()) panes << l->geometry();
    ASSERT_GE(panes.size(), 3);
    for (int i = 0; i < panes.size(); ++i)
        for (int j = i + 1; j < panes.size(); ++j)
            EXPECT_FALSE(panes[i].intersects(panes[j])) << i << " and " << j;
}
