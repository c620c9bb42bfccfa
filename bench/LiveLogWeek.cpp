// SPDX-License-Identifier: GPL-3.0-or-later
// km905_live_log_week [DIR [HOURS]]: a week of `km905-cli log --interval 1` on the virtual clock
// against the in-memory meter (604,800 ticks), with the resident memory along the way and
// the CPU time per simulated second; then `km905-cli plot` of that week, its time and peak
// memory. It measures and prints; it never fails a run (see README, Performance).
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "LinkHarness.h"
#include "core/livelog/LiveLog.h"
#include "core/session/Unattended.h"

using namespace km905;

namespace {
long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : -1;  // pages of 4 KiB
}

double cpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct FrameUi : ILinkUi {
    LiveLog* log = nullptr;
    void repaintLcd() override { log->onLiveFrame(); }
};

// Daylight: dark at night, up to 30,000 lux at noon, through every range.
sim::Scenario weekOfDaylight() {
    sim::Scenario s;
    s.level.kind = sim::LevelCurve::Kind::Points;
    for (int day = 0; day < 8; ++day) {
        const double d = day * 86400.0;
        const double noon = 3000 + 27000 * ((day * 37) % 10) / 10.0;
        s.level.points.insert(s.level.points.end(), {{d, 0.5},
                                                     {d + 6 * 3600, 2},
                                                     {d + 9 * 3600, noon / 3},
                                                     {d + 13 * 3600, noon},
                                                     {d + 17 * 3600, noon / 4},
                                                     {d + 20 * 3600, 1}});
    }
    return s;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    // Hours simulated: a week unless told.
    const int hours = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7 * 24;
    QDir().mkpath(folder);

    // 2025-12-08 00:00:00 local time: the week starts at a midnight.
    const qint64 startMs = QDateTime(QDate(2025, 12, 8), QTime(0, 0)).toMSecsSinceEpoch() - 500;
    VirtualClock clock(startMs);
    sim::MeterSimulator meter(weekOfDaylight());
    meter.keepCommandLog(false);
    sim::SimSerialControl comm(clock, meter);
    FrameUi ui;
    test::FakeBridgeList bridges;
    NoUserInteraction dialogs;
    NoJournalFile journal;
    Session session({comm, clock, bridges, dialogs, ui, &journal});
    LiveLog log(session, clock, {1, folder, LogRotation::Daily});
    ui.log = &log;
    session.start({.port = 1, .watchDevices = false});
    if (!log.start()) return 1;

    const long before = residentKiB();
    const double cpu0 = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer wall;
    wall.start();
    std::printf("hour  rows     missing  resident KiB  cpu s\n");
    for (int hour = 1; hour <= hours; ++hour) {
        clock.advance(3600 * 1000);
        comm.clearHistory();  // the simulated line's record of every byte, for tests only
        if (hour % 12 != 0 && hour != hours) continue;
        std::printf("%-5d %-8lld %-8lld %-13ld %.1f\n", hour,
                    static_cast<long long>(log.rowsWritten()),
                    static_cast<long long>(log.rowsMissing()), residentKiB(),
                    cpuSeconds(RUSAGE_SELF) - cpu0);
    }
    const double cpu = cpuSeconds(RUSAGE_SELF) - cpu0;
    log.stop();
    std::printf("resident before %ld KiB, after %ld KiB\n", before, residentKiB());
    std::printf(
        "%lld rows in %.1f s of CPU (%.1f s wall): %.2f ms per simulated second, "
        "%.3f %% of a core at one row a second (the simulated meter's side included)\n",
        static_cast<long long>(log.rowsWritten()), cpu, wall.elapsed() / 1000.0,
        1000.0 * cpu / (hours * 3600.0), 100.0 * cpu / (hours * 3600.0));

    QStringList files = QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (QString& f : files) f = QDir(folder).filePath(f);
    const QString png = QDir(folder).filePath(QStringLiteral("week.png"));
    // GNU time reports the plot's own peak: a child's rusage would count this process's pages
    // copied at the fork.
    const QString time = QStringLiteral("/usr/bin/time");
    const bool timed = QFile::exists(time);
    QStringList args{QStringLiteral("plot")};
    args += files;
    args += QStringList{QStringLiteral("-o"), png, QStringLiteral("--force")};
    if (timed)
        args =
            QStringList{QStringLiteral("-f"),
                        QStringLiteral("%e s wall, %U s user, %S s system, peak resident %M KiB"),
                        QStringLiteral(KM905_CLI_BINARY)} +
            args;
    QProcess plot;
    plot.start(timed ? time : QStringLiteral(KM905_CLI_BINARY), args);
    plot.waitForFinished(120000);
    const QStringList err =
        QString::fromLocal8Bit(plot.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    std::printf("plot of %lld files (%s): exit %d, %s\n", static_cast<long long>(files.size()),
                qPrintable(png), plot.exitCode(),
                timed && !err.isEmpty() ? qPrintable(err.last()) : "not timed");
    return 0;
}
