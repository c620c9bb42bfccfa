// SPDX-License-Identifier: GPL-3.0-or-later
// The Data Logger command against km905-sim on a pseudo-terminal, in real time.
#include <gtest/gtest.h>

#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RecordingInteraction.h"
#include "SimProgram.h"
#include "core/link/QtTimerService.h"
#include "core/session/Unattended.h"
#include "report/FontSetup.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/logger/CLoggerGraphDlg.h"

using namespace km905;

using km905::test::waitFor;

namespace {}  // namespace

TEST(LoggerProgram, TheDataLoggerCommandOpensTheWindowWithTheMetersRecords) {
    test::SimProgram meter(
        "level const 250\nrange 2\n"
        "logger 2026-12-06 08:00:00 2 lux 100 200 300\n"
        "logger 2026-12-06 09:30:00 5 fc 10 20\n");
    ASSERT_TRUE(meter.ready());

    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    test::RecordingInteraction ui;
    {
        CMainFrame frame({comm, timers, bridges, ui, meter.settings()});
        frame.resize(1200, 800);
        frame.show();
        ASSERT_TRUE(waitFor([&] { return frame.model().view.m_linkDown == 0; }, 10000));
        frame.updateCommands();
        ASSERT_TRUE(frame.action(kCmdDataLogger)->isEnabled());
        frame.trigger(kCmdDataLogger);
        ASSERT_TRUE(waitFor([&] { return frame.loggerWindow() != nullptr; }, 40000));
        CLoggerGraphDlg* dlg = frame.loggerWindow();
        QTableWidget* list = dlg->list();
        ASSERT_EQ(list->rowCount(), 2);
        EXPECT_EQ(list->item(0, 1)->text(), "12/06/26 08:00:00");
        EXPECT_EQ(list->item(0, 2)->text(), "Lux");
        EXPECT_EQ(list->item(0, 3)->text(), "2sec");
        EXPECT_EQ(list->item(0, 4)->text(), "3");
        EXPECT_EQ(list->item(1, 2)->text(), "FC");
        EXPECT_EQ(list->item(1, 4)->text(), "2");
        dlg->close();
        ui.answers = {false};
        frame.close();
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
