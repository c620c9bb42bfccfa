// SPDX-License-Identifier: GPL-3.0-or-later
// log: one row per interval to files on the disk, for days, through unplugs and restarts.
#include <QDir>

#include "Commands.h"
#include "MeterConnection.h"
#include "Report.h"
#include "StatusLine.h"
#include "core/app/ReopenSignal.h"
#include "core/livelog/LiveLog.h"

namespace km905::cli {

namespace {
std::optional<LogRotation> rotationNamed(const QString& name) {
    if (name.isEmpty() || name == QLatin1String("daily")) return LogRotation::Daily;
    if (name == QLatin1String("hourly")) return LogRotation::Hourly;
    if (name == QLatin1String("none")) return LogRotation::None;
    return std::nullopt;
}

int logUntilStopped(std::optional<int> port, const LiveLogOptions& options) {
    NoUserInteraction dialogs;
    MeterConnection meter(port, dialogs);
    LiveLog log(meter.session(), meter.timers(), options);
    StatusLine status;
    log.onNote = [&](const QString& text) {
        status.clear();
        note(text);
    };
    const ViewState& v = meter.model().view;
    meter.onLcd = [&] { log.onLiveFrame(); };
    bool wasDown = true;
    meter.onFace = [&] {
        if (v.m_linkDown && !wasDown)
            log.onNote(
                QStringLiteral("the meter is gone; rows are "
                               "marked MISSING until it is back"));
        wasDown = v.m_linkDown;
    };
    log.onRow = [&] {
        if (wasDown && !v.m_linkDown)
            log.onNote(QStringLiteral("following the meter on %1").arg(meter.portText()));
        wasDown = v.m_linkDown;
        status.show(QStringLiteral("%1 rows, %2 missing: %3")
                        .arg(log.rowsWritten())
                        .arg(log.rowsMissing())
                        .arg(QString::fromUtf8(log.lastLine()).trimmed()));
    };
    if (const WriteResult started = log.start(); !started)
        return fail(log.currentFile(), QStringLiteral("cannot be written: %1").arg(started.reason));
    QObject context;
    onReopenSignal(&context, [&] {
        if (log.reopen()) log.onNote(QStringLiteral("reopened %1").arg(log.currentFile()));
    });
    // A meter that is not there yet is looked for at every tick: its rows are marked MISSING.
    if (meter.open() != kExitOk) log.onNote(QStringLiteral("waiting for the meter"));
    meter.runUntilInterrupted();
    status.clear();
    log.stop();
    return log.writeFailed() ? kExitFile : kExitOk;
}
}  // namespace

int runLog(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption interval(QStringLiteral("interval"), QString(), QStringLiteral("S"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption rotate(QStringLiteral("rotate"), QString(), QStringLiteral("WHEN"));
    parser.addOptions({interval, out, port, rotate});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("log takes no FILE; --out DIR names the folder"));
    if (!parser.isSet(interval)) return usageError(QStringLiteral("log needs --interval S"));
    std::optional<int> secs, portNumber;
    if (!readNumber(parser, QStringLiteral("interval"), 1, secs) ||
        !readNumber(parser, QStringLiteral("port"), 1, portNumber))
        return kExitUsage;
    const std::optional<LogRotation> rotation = rotationNamed(parser.value(rotate));
    if (!rotation)
        return usageError(QStringLiteral("--rotate is daily, hourly or none, not '%1'")
                              .arg(parser.value(rotate)));
    LiveLogOptions options;
    options.intervalSecs = *secs;
    options.rotation = *rotation;
    options.folder = parser.isSet(out) ? parser.value(out) : QDir::currentPath();
    if (!QDir().mkpath(options.folder))
        return fail(options.folder, QStringLiteral("cannot be made"));
    return logUntilStopped(portNumber, options);
}

}  // namespace km905::cli
