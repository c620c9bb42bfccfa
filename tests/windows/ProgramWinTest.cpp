// SPDX-License-Identifier: GPL-3.0-or-later
// The program on the Win32 serial control and the system's serial-device map, against the
// simulated meter that scripts/windows-e2e.sh puts on a COM port. It finds the port by
// itself, mirrors the meter and saves the memory list and every datalogger record into
// KM905_WIN_E2E_OUT, where the script compares them with what the Linux build saves.
#include <gtest/gtest.h>

#include "WaitFor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <QTemporaryDir>

#include "RecordingInteraction.h"
#include "ScratchFolders.h"
#include "core/link/BridgeLookup.h"
#include "core/link/QtTimerService.h"
#include "report/FontSetup.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/logger/CLoggerGraphDlg.h"
#include "ui/memlist/CMemListDlg.h"

using namespace km905;
using km905::test::waitFor;

namespace {
// The files of the last save (the data file and its text export) copied into `folder`.
bool keepLastSave(const test::RecordingInteraction& ui, const QString& folder) {
    const FileDialogRequest& r = ui.dialogs.back();
    const QString base = QFileInfo(r.proposedName).completeBaseName();
    const QFileInfoList saved = QDir(r.folder).entryInfoList({base + ".*"}, QDir::Files);
    bool ok = !saved.isEmpty() && QDir().mkpath(folder);
    for (const QFileInfo& f : saved)
        ok = ok && QFile::copy(f.filePath(), folder + '/' + f.fileName());
    return ok;
}
}  // namespace

TEST(WindowsProgram, FindsTheMeterMirrorsItAndSavesItsMemoryAndRecords) {
    const QString out = QString::fromLocal8Bit(qgetenv("KM905_WIN_E2E_OUT"));
    if (out.isEmpty()) GTEST_SKIP() << "needs the simulated meter of scripts/windows-e2e.sh";
    const test::ScratchHome home;

    CMSComm comm;
    QtTimerService timers;
    const auto bridges = makeSystemBridgeLookup();
    test::RecordingInteraction ui;
    CMainFrame frame({comm, timers, *bridges, ui, home.settings()});
    frame.resize(1200, 800);
    frame.show();
    // The settings file's port 1 does not answer; the serial-device map's COM5 does.
    ASSERT_TRUE(waitFor([&] { return frame.model().view.m_lcdValue == "1234"; }, 30000))
        << "LCD: " << frame.model().view.m_lcdValue.toStdString();
    EXPECT_EQ(frame.model().view.m_lcdUnit, "Lux");

    frame.trigger(kCmdMem);
    ASSERT_TRUE(waitFor([&] { return frame.memoryList() != nullptr; }, 60000));
    EXPECT_EQ(frame.memoryList()->table()->rowCount(), 3);
    ui.fileAnswers = {test::RecordingInteraction::kAcceptProposed};
    frame.memoryList()->saveList();
    ASSERT_TRUE(keepLastSave(ui, out + "/memory"));
    frame.memoryList()->close();

    frame.updateCommands();
    frame.trigger(kCmdDataLogger);
    ASSERT_TRUE(waitFor([&] { return frame.loggerWindow() != nullptr; }, 60000));
    CLoggerGraphDlg* logger = frame.loggerWindow();
    ASSERT_EQ(logger->list()->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        logger->doubleClickRow(row);
        ui.fileAnswers = {test::RecordingInteraction::kAcceptProposed};
        logger->trigger(CLoggerGraphDlg::kSave);
        ASSERT_TRUE(keepLastSave(ui, out + "/logger"));
    }
    logger->close();
    ui.answers = {false};
    frame.close();
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
