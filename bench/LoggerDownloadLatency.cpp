// SPDX-License-Identifier: GPL-3.0-or-later
// A datalogger download from the menu against the paced simulator: how long after the last
// byte of the records arrived the window shows them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "core/link/QtTimerService.h"
#include "core/session/Unattended.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/logger/CLoggerGraphDlg.h"

using namespace km905;

static void BM_LoggerDownloadToWindow(benchmark::State& state) {
    QTemporaryDir dev, home;
    qputenv("KM905_DEV_DIR", dev.path().toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    QFile scenario(dev.filePath("logger.txt"));
    scenario.open(QIODevice::WriteOnly);
    QByteArray records = "level const 250\nrange 2\n";
    for (int r = 0; r < 3; ++r) {
        records += "logger 2026-12-06 0" + QByteArray::number(8 + r) + ":00:00 2 lux";
        for (int i = 0; i < 60; ++i) records += " " + QByteArray::number(100 + 3 * i + r);
        records += "\n";
    }
    scenario.write(records);
    scenario.close();
    QProcess sim;
    sim.start(KM905_SIM_BINARY, {"--scenario", scenario.fileName()});
    sim.waitForStarted();
    sim.waitForReadyRead(5000);
    sim.readAllStandardOutput();

    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    NoUserInteraction ui;
    CMainFrame frame({comm, timers, bridges, ui});
    frame.resize(1200, 800);
    frame.show();
    QElapsedTimer wall;
    wall.start();
    while (frame.model().view.m_linkDown != 0 && wall.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);

    for (auto _ : state) {
        frame.updateCommands();
        frame.trigger(kCmdDataLogger);
        // Looked at on every turn of the event loop.
        qint64 lastByte = -1, shown = -1;
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const MeterModel& m = frame.model();
            if (lastByte < 0 && m.frame.m_logByteCount > 0 &&
                m.g.g_logReceived == m.frame.m_logByteCount)
                lastByte = clock.nsecsElapsed();
            CLoggerGraphDlg* dlg = frame.loggerWindow();
            if (dlg && dlg->isVisible() && dlg->list()->rowCount() == 3) {
                shown = clock.nsecsElapsed();
                loop.quit();
            }
            if (clock.elapsed() > 60000) loop.quit();
        });
        watch.start(0);
        loop.exec();
        watch.stop();
        state.counters["records_shown"] = shown >= 0 ? 3 : 0;
        state.counters["download_s"] = lastByte / 1e9;
        state.counters["last_byte_to_window_ms"] = (shown - lastByte) / 1e6;
        if (CLoggerGraphDlg* dlg = frame.loggerWindow()) dlg->close();
    }
    frame.close();
    sim.terminate();
    sim.waitForFinished();
}
BENCHMARK(BM_LoggerDownloadToWindow)->Iterations(1)->Unit(benchmark::kSecond);
