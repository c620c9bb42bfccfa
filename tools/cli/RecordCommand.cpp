// SPDX-License-Identifier: GPL-3.0-or-later
// record: a real-time recording without a window, saved as Run, Stop and Save write it.
#include <QDir>
#include <QFileInfo>

#include "Commands.h"
#include "MeterConnection.h"
#include "ProgressBar.h"
#include "Report.h"
#include "UnattendedSaves.h"
#include "core/files/TextExport.h"

namespace km905::cli {

namespace {
struct RecordOptions {
    int intervalSecs = 1;
    std::optional<int> samples;  // none: until interrupted
    std::optional<int> port;
    QString path;  // empty: the name Save proposes, in the current folder
    bool force = false;
};

// Why the recording ended without being asked to, as an exit status.
int stoppedByItself(const MeterModel& m) {
    if (m.view.m_batteryText == QLatin1String("Low")) return kExitLowBattery;
    if (m.view.m_frameCount >= kMaxFrameCount || m.view.m_sampleIndex >= kMaxSampleIndex) {
        note(QStringLiteral("the recording reached its largest size"));
        return kExitOk;
    }
    note(QStringLiteral("the recording stopped: the link to the meter went down"));
    return kExitCut;
}

int record(const RecordOptions& o) {
    UnattendedSaves saves(QDir::currentPath(), o.force);
    saves.setSampleRate(o.intervalSecs);
    if (!o.path.isEmpty()) saves.setPath(o.path);
    MeterConnection meter(o.port, saves);
    if (const int status = meter.open()) return status;
    if (const int status = meter.waitForMeter()) {
        meter.close();
        return status;
    }
    Session& session = meter.session();
    const MeterModel& m = meter.model();
    const ViewState& v = m.view;
    session.commands().run();
    // No graph here: it counts as painted at once.
    session.graphPainted();
    ProgressBar bar(QStringLiteral("recording"));
    // Samples count once the first frame after Run has restarted the recording.
    const auto samplesTaken = [&] { return m.rec.resetOnFrame() ? 0 : v.m_sampleIndex; };
    meter.runUntil([&] {
        if (o.samples) bar.show(samplesTaken(), *o.samples);
        return !m.rec.recording() || (o.samples && samplesTaken() >= *o.samples);
    });
    bar.finish();
    const bool cut = !m.rec.recording();
    session.commands().stop();
    if (samplesTaken() == 0) {
        meter.close();
        if (meter.interrupted()) return kExitInterrupted;
        return fail(meter.portText(), QStringLiteral("no sample was recorded"), kExitNoAnswer);
    }
    const int saved = saves.report(session.commands().save());
    meter.close();
    return std::max(saved, cut ? stoppedByItself(meter.model()) : kExitOk);
}
}  // namespace

int runRecord(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption interval(QStringLiteral("interval"), QString(), QStringLiteral("S"));
    const QCommandLineOption count(QStringLiteral("count"), QString(), QStringLiteral("N"));
    const QCommandLineOption duration(QStringLiteral("duration"), QString(), QStringLiteral("D"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("FILE"));
    const QCommandLineOption force(QStringLiteral("force"), QString());
    parser.addOptions({interval, count, duration, port, output, force});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("record takes no FILE; -o FILE names the graph file"));
    if (!parser.isSet(interval)) return usageError(QStringLiteral("record needs --interval S"));
    if (parser.isSet(count) && parser.isSet(duration))
        return usageError(QStringLiteral("--count and --duration are one or the other"));
    RecordOptions o;
    std::optional<int> secs, samples, seconds;
    if (!readNumber(parser, QStringLiteral("interval"), 1, secs) ||
        !readNumber(parser, QStringLiteral("count"), 1, samples) ||
        !readNumber(parser, QStringLiteral("duration"), 1, seconds) ||
        !readNumber(parser, QStringLiteral("port"), 1, o.port))
        return kExitUsage;
    o.intervalSecs = *secs;
    o.samples = samples;
    if (seconds) o.samples = (*seconds + o.intervalSecs - 1) / o.intervalSecs;
    o.path = parser.value(output);
    o.force = parser.isSet(force);
    if (!o.path.isEmpty() && !QDir().mkpath(QFileInfo(o.path).absolutePath()))
        return fail(QFileInfo(o.path).absolutePath(), QStringLiteral("cannot be made"));
    if (!o.path.isEmpty() && !o.force) {
        // Found out before the recording, not after it.
        const QString graph = withDefaultSuffix(o.path, kGraphSuffix);
        for (const QString& file : {graph, exportPathFor(graph, kGraphSuffix)})
            if (QFileInfo::exists(file))
                return fail(file, QStringLiteral("already exists; --force replaces it"));
    }
    return record(o);
}

}  // namespace km905::cli
