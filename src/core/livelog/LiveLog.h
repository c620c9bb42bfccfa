// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "core/files/AppendedFile.h"
#include "core/livelog/LogRow.h"
#include "core/session/Session.h"

namespace km905 {

// One file a day (named by the local date), an hour, or one file for the whole run.
enum class LogRotation { Daily, Hourly, None };

// The name of the file that holds the row of this time: "2025-12-08.csv",
// "2025-12-08T10.csv" or "km905-log.csv".
QString logFileName(qint64 secs, LogRotation rotation);

struct LiveLogOptions {
    int intervalSecs = 1;
    QString folder;
    LogRotation rotation = LogRotation::Daily;
};

// The log's timers (TimerOwner::LiveLog).
enum LiveLogTimer : int { kTimerLogTick = 1, kTimerLogDecide = 2 };

// Logging the meter to the disk for days, on a running session: one row per tick of the
// interval (ticks at whole multiples of it), holding the live frame nearest the tick within
// half an interval (at most a second), or a row marked MISSING with why (UNPLUGGED: the
// port cannot be opened; OFF: the meter is silent on its port, switched off or by its auto
// power-off; LOWBAT: polling stopped for a low battery). A closed port is tried again at
// every tick, through port discovery first, so the meter is back on the first tick after
// it returns. Rows go to the file of their period, appended as they are taken.
class LiveLog {
  public:
    LiveLog(Session& session, ITimerService& timers, LiveLogOptions options);
    ~LiveLog();
    LiveLog(const LiveLog&) = delete;
    LiveLog& operator=(const LiveLog&) = delete;

    // Opens the file of the current period and arms the first tick. False when that file
    // cannot be written.
    WriteResult start();
    // After each live frame (the link's LCD repaint).
    void onLiveFrame();
    void onTimer(int id);
    // The file is closed and opened again by its name, for rotation by others (SIGHUP).
    WriteResult reopen();
    // Closes the file, then ends the meter's link as the program's close does. Once.
    void stop();

    // What the user is told along the way: files opened, lines set aside, write failures,
    // the meter clock's drift (once an hour while beyond the tolerance).
    std::function<void(const QString&)> onNote;
    // After each row written.
    std::function<void()> onRow;

    qint64 rowsWritten() const { return m_rows; }
    qint64 rowsMissing() const { return m_missing; }
    QString currentFile() const { return m_file.path(); }
    const QByteArray& lastLine() const { return m_lastLine; }
    bool writeFailed() const { return m_everFailed; }

  private:
    struct Seen {
        qint64 atMs = 0;
        LogRow row;
    };
    void tick();
    void decide(const std::optional<Seen>& after);
    LogRow missingRow(qint64 secs) const;
    void write(const LogRow& row);
    void note(const QString& text);
    void noteFailure(const QString& why);
    void bringBackPort();
    void checkClockDrift();
    qint64 windowMs() const;

    Session& m_session;
    ITimerService& m_timers;
    LiveLogOptions m_o;
    AppendedFile m_file;
    std::optional<Seen> m_latest;
    std::optional<qint64> m_pendingTickMs;
    qint64 m_nextTickMs = 0;
    qint64 m_rows = 0;
    qint64 m_missing = 0;
    QByteArray m_lastLine;
    QString m_lastFailure;
    bool m_everFailed = false;
    bool m_stopped = false;
    std::optional<qint64> m_lastDriftNoteMs;
    qint64 m_lastBatteryRetryMs = 0;
};

}  // namespace km905
