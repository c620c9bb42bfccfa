// SPDX-License-Identifier: GPL-3.0-or-later
// The live loop against the simulated meter at 9600 baud, and the program's own CPU use.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "core/link/QtTimerService.h"
#include "core/session/Unattended.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"

using namespace km905;

namespace {
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
}  // namespace

static void BM_LiveLoopRate(benchmark::State& state) {
    QTemporaryDir dev, home;
    qputenv("KM905_DEV_DIR", dev.path().toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    QProcess sim;
    sim.start(KM905_SIM_BINARY);  // logs one line per poll it answers
    sim.waitForStarted();
    sim.waitForReadyRead(5000);
    sim.readAllStandardOutput();
    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;
    NoUserInteraction ui;
    CMainFrame frame({comm, timers, bridges, ui});
    frame.resize(1280, 860);
    frame.show();
    const int seconds = 5;
    for (auto _ : state) {
        QEventLoop settle;
        QTimer::singleShot(500, &settle, &QEventLoop::quit);
        settle.exec();
        const int before = static_cast<int>(sim.readAllStandardOutput().count("poll"));
        (void)before;
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop run;
        QTimer::singleShot(seconds * 1000, &run, &QEventLoop::quit);
        run.exec();
        const double elapsed = wall.elapsed() / 1000.0;
        const double cpu = cpuSeconds() - cpu0;
        sim.waitForReadyRead(100);
        const int polls = static_cast<int>(sim.readAllStandardOutput().count("poll"));
        const double limit = 1.0 / (20 * 10.0 / 9600.0 + 0.050);
        state.counters["frames_per_s"] = polls / elapsed;
        state.counters["line_limit_per_s"] = limit;
        state.counters["of_limit_pct"] = 100.0 * polls / elapsed / limit;
        state.counters["cpu_pct_one_core"] = 100.0 * cpu / elapsed;
    }
    sim.terminate();
    sim.waitForFinished();
}
BENCHMARK(BM_LiveLoopRate)->Iterations(1)->Unit(benchmark::kSecond);
