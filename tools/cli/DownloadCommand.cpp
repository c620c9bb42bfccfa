// SPDX-License-Identifier: GPL-3.0-or-later
// download: the meter's memory or datalogger, saved as the program's windows save them.
#include <QDir>
#include <QFileInfo>

#include "Commands.h"
#include "LoggerRecordFiles.h"
#include "MeterConnection.h"
#include "ProgressBar.h"
#include "RawStream.h"
#include "Report.h"
#include "UnattendedSaves.h"
#include "core/app/SaveSequences.h"
#include "core/memlist/MemoryListPages.h"

namespace km905::cli {

namespace {
// The program waits for the datalogger's header as long as it takes; a command does not.
constexpr int kLoggerHeaderMs = 5000;

struct DownloadOptions {
    bool logger = false;
    std::optional<int> port;
    QString folder;
    QString rawPath;
    bool force = false;
};

// How the session's download progress ends, shown as a bar on the terminal.
struct ProgressWindow {
    explicit ProgressWindow(MeterConnection& meter, ProgressBar& bar)
        : progress(meter.session().progress()) {
        progress.onEnd = [this] { ended = true; };
        progress.onMemoryDone = [this] { completed = true; };
        progress.onLoggerDone = [this] { completed = true; };
        progress.onBarChanged = [this, &bar] {
            bar.show(progress.position(), progress.rangeMax());
        };
    }
    DownloadProgress& progress;
    bool ended = false;      // completed, or given up by its time-outs
    bool completed = false;  // the memory list or datalogger window would open now
};

int finishMemory(MeterConnection& meter, const ProgressWindow& window, UnattendedSaves& saves) {
    if (!window.completed)
        return fail(meter.portText(),
                    QStringLiteral("no answer from the meter to the memory request"),
                    kExitNoAnswer);
    if (meter.model().frame.m_memEmpty) {
        note(kNoMemoryDataText);
        return kExitOk;
    }
    return saves.report(
        saveMemoryList(meter.session().settings(), meter.model(), saves, meter.timers().nowSecs()));
}

QString bytesCame(const MeterModel& model) {
    return QStringLiteral("%1 of %2 bytes came")
        .arg(model.g.g_logReceived)
        .arg(model.frame.m_logByteCount);
}

// The raw file, whole or as far as the stream came; kept from the saves that follow.
int keepRaw(RawStreamFile* raw, const MeterModel& model, UnattendedSaves& saves) {
    if (!raw) return kExitOk;
    const int status = raw->finish(model.g);
    if (status == kExitOk) saves.noteWritten(raw->path());
    return status;
}

int finishLogger(MeterConnection& meter, const ProgressWindow& window, UnattendedSaves& saves,
                 RawStreamFile* raw) {
    MeterModel& model = meter.model();
    const int status = keepRaw(raw, model, saves);
    if (window.completed)
        return std::max(status, saveLoggerRecords(model, saves, meter.session().settings()));
    // A count of 0: the link said "There is no data on the RAM!"
    if (model.frame.m_logByteCount == 0) return status;
    return std::max(
        status, fail(meter.portText(), QStringLiteral("the download was cut: ") + bytesCame(model),
                     kExitCut));
}

int download(const DownloadOptions& o) {
    UnattendedSaves saves(o.folder, o.force);
    // Found out before the meter is asked, not after.
    std::unique_ptr<RawStreamFile> raw;
    if (!o.rawPath.isEmpty()) {
        raw = std::make_unique<RawStreamFile>(o.rawPath);
        if (const int status = raw->open()) return status;
    }
    MeterConnection meter(o.port, saves);
    ProgressBar bar(o.logger ? QStringLiteral("datalogger") : QStringLiteral("memory"));
    ProgressWindow window(meter, bar);
    if (raw) meter.onLogBytes = [&] { raw->catchUp(meter.model().g); };
    if (const int status = meter.open()) return status;
    if (const int status = meter.waitForMeter()) {
        meter.close();
        return status;
    }
    MeterLink& link = meter.session().link();
    const LinkState& f = meter.model().frame;
    if (o.logger)
        link.startLogDownload();
    else
        link.startMemDownload();
    if (!(o.logger ? f.mode.logPending() : f.mode.memPending())) {
        meter.close();
        return fail(
            meter.portText(),
            QStringLiteral("cannot be reopened for the download: %1").arg(meter.openError()),
            kExitNoPort);
    }
    if (o.logger) {
        const bool announced = meter.runUntil(
            [&] { return window.ended || !f.mode.logPending() || f.m_logByteCount > 0; },
            kLoggerHeaderMs);
        if (!announced && !meter.interrupted()) {
            meter.close();
            return fail(meter.portText(),
                        QStringLiteral("no answer from the meter to the datalogger request"),
                        kExitNoAnswer);
        }
    }
    meter.runUntil([&] { return window.ended; });
    bar.finish();
    if (meter.interrupted()) {
        // What the port held goes to the buffer before the close discards it.
        if (o.logger) link.takeHeldLogBytes();
        meter.close();
        if (!o.logger || f.m_logByteCount == 0) {
            note(QStringLiteral("interrupted; the download was given up"));
            return kExitInterrupted;
        }
        keepRaw(raw.get(), meter.model(), saves);
        note(QStringLiteral("interrupted; the download was given up: ") + bytesCame(meter.model()));
        return kExitInterrupted;
    }
    meter.close();
    return o.logger ? finishLogger(meter, window, saves, raw.get())
                    : finishMemory(meter, window, saves);
}
}  // namespace

int runDownload(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("DIR"));
    const QCommandLineOption raw(QStringLiteral("raw"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption force(QStringLiteral("force"), QString());
    parser.addOptions({port, output, raw, force});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList what = parser.positionalArguments();
    if (what.size() != 1 ||
        (what.first() != QLatin1String("memory") && what.first() != QLatin1String("logger")))
        return usageError(QStringLiteral("download takes memory or logger"));
    DownloadOptions o;
    o.logger = what.first() == QLatin1String("logger");
    if (!readNumber(parser, QStringLiteral("port"), 1, o.port)) return kExitUsage;
    if (!o.logger && parser.isSet(raw))
        return usageError(QStringLiteral("--raw keeps the bytes of a datalogger download"));
    o.rawPath = parser.value(raw);
    o.force = parser.isSet(force);
    o.folder = parser.isSet(output) ? parser.value(output) : QDir::currentPath();
    if (!QDir().mkpath(o.folder)) return fail(o.folder, QStringLiteral("cannot be made"));
    if (!o.rawPath.isEmpty() && !o.force && QFileInfo::exists(o.rawPath))
        return fail(o.rawPath, QStringLiteral("already exists; --force replaces it"));
    return download(o);
}

}  // namespace km905::cli
