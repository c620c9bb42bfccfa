// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/livelog/LiveLog.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>

#include "core/app/PortStatus.h"

namespace km905 {

namespace {
constexpr qint64 kMostWindowMs = 1000;
constexpr qint64 kDriftNoteEveryMs = 3600 * 1000;
// A low battery stops the polling; one reading a minute still shows whether the meter lives.
constexpr qint64 kLowBatteryRetryMs = 60 * 1000;
// After a longer sleep of the computer the ticks start again from now, without a row each.
constexpr qint64 kMostMissedTicks = 86400;
}  // namespace

QString logFileName(qint64 secs, LogRotation rotation) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secs);
    switch (rotation) {
        case LogRotation::Daily:
            return local.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv");
        case LogRotation::Hourly:
            return local.toString(QStringLiteral("yyyy-MM-dd'T'HH")) + QStringLiteral(".csv");
        case LogRotation::None:
            break;
    }
    return QStringLiteral("km905-log.csv");
}

LiveLog::LiveLog(Session& session, ITimerService& timers, LiveLogOptions options)
    : m_session(session), m_timers(timers), m_o(std::move(options)) {
    m_o.intervalSecs = std::max(1, m_o.intervalSecs);
    m_session.onLiveLogTimer = [this](int id) { onTimer(id); };
}

LiveLog::~LiveLog() {
    m_session.onLiveLogTimer = {};
}

qint64 LiveLog::windowMs() const {
    return std::min<qint64>(kMostWindowMs, m_o.intervalSecs * 1000 / 2);
}

WriteResult LiveLog::start() {
    const qint64 now = m_timers.nowMs();
    const qint64 period = m_o.intervalSecs * 1000;
    m_nextTickMs = (now / period + 1) * period;
    // The file of the first row, opened now so that a folder that cannot be written is told
    // at once.
    const QString path = QDir(m_o.folder).filePath(logFileName(m_nextTickMs / 1000, m_o.rotation));
    const WriteResult opened = m_file.open(path, kLogHeader, now);
    if (!opened) return opened;
    note(QStringLiteral("logging to %1").arg(path));
    if (!m_file.setAside().isEmpty())
        note(QStringLiteral("%1: what could not be resumed was set aside in %2")
                 .arg(path, m_file.setAside()));
    m_timers.setTimer(TimerOwner::LiveLog, kTimerLogTick, static_cast<int>(m_nextTickMs - now));
    return opened;
}

void LiveLog::onLiveFrame() {
    const qint64 now = m_timers.nowMs();
    Seen seen{now, rowFromDisplay(m_session.model(), 0)};
    // Weighed against the frame before the tick, which is still the latest one here.
    if (m_pendingTickMs && now >= *m_pendingTickMs) decide(seen);
    m_latest = std::move(seen);
}

void LiveLog::onTimer(int id) {
    m_timers.killTimer(TimerOwner::LiveLog, id);  // both are one-shot
    if (m_stopped) return;
    if (id == kTimerLogTick) tick();
    if (id == kTimerLogDecide && m_pendingTickMs) decide(std::nullopt);
}

void LiveLog::tick() {
    const qint64 now = m_timers.nowMs();
    const qint64 period = m_o.intervalSecs * 1000;
    if (m_pendingTickMs) decide(std::nullopt);
    // Ticks the computer slept through hold no reading; a long sleep starts afresh.
    qint64 due = m_nextTickMs;
    const qint64 missed = (now - due) / period;
    if (missed > kMostMissedTicks) {
        note(QStringLiteral("the clock moved on by %1 s: no rows for that time").arg(now - due));
        due += missed * period;
    }
    for (; due + period <= now; due += period) write(missingRow(due / 1000));
    m_nextTickMs = due + period;
    m_timers.setTimer(TimerOwner::LiveLog, kTimerLogTick, static_cast<int>(m_nextTickMs - now));

    m_pendingTickMs = due;
    if (m_latest && m_latest->atMs >= due)
        decide(m_latest);  // the tick came late, after a frame
    else
        m_timers.setTimer(TimerOwner::LiveLog, kTimerLogDecide,
                          static_cast<int>(std::max<qint64>(0, due + windowMs() - now)));
    bringBackPort();
    checkClockDrift();
    if (const WriteResult synced = m_file.syncIfDue(now); !synced) noteFailure(synced.reason);
}

void LiveLog::decide(const std::optional<Seen>& after) {
    const qint64 t = *m_pendingTickMs;
    m_pendingTickMs.reset();
    m_timers.killTimer(TimerOwner::LiveLog, kTimerLogDecide);
    const Seen* best = nullptr;
    qint64 bestDistance = windowMs() + 1;
    // The latest frame before the tick, then the first one after it.
    if (m_latest && m_latest->atMs <= t && t - m_latest->atMs < bestDistance) {
        best = &*m_latest;
        bestDistance = t - m_latest->atMs;
    }
    if (after && after->atMs >= t && after->atMs - t < bestDistance) best = &*after;
    if (!best) {
        write(missingRow(t / 1000));
        return;
    }
    LogRow row = best->row;
    row.timeSecs = t / 1000;
    write(row);
}

LogRow LiveLog::missingRow(qint64 secs) const {
    LogRow row;
    row.timeSecs = secs;
    row.flags << QStringLiteral("MISSING");
    Session& s = m_session;
    row.flags << (s.link().comm().GetPortOpen() ? QStringLiteral("OFF")
                                                : QStringLiteral("UNPLUGGED"));
    if (s.model().view.m_batteryText == QLatin1String("Low")) row.flags << QStringLiteral("LOWBAT");
    return row;
}

void LiveLog::write(const LogRow& row) {
    const qint64 now = m_timers.nowMs();
    const QString path = QDir(m_o.folder).filePath(logFileName(row.timeSecs, m_o.rotation));
    if (!m_file.isOpen() || m_file.path() != path) {
        if (const WriteResult closed = m_file.close(now); !closed) noteFailure(closed.reason);
        const WriteResult opened = m_file.open(path, kLogHeader, now);
        if (!opened) {
            noteFailure(QStringLiteral("%1: cannot be written: %2").arg(path, opened.reason));
            return;
        }
        note(QStringLiteral("logging to %1").arg(path));
        if (!m_file.setAside().isEmpty())
            note(QStringLiteral("%1: what could not be resumed was set aside in %2")
                     .arg(path, m_file.setAside()));
    }
    m_lastLine = logRowLine(row);
    if (const WriteResult added = m_file.append(m_lastLine, now); !added) {
        noteFailure(QStringLiteral("%1: cannot be written: %2").arg(path, added.reason));
        return;
    }
    if (!m_lastFailure.isEmpty()) note(QStringLiteral("%1: written again").arg(path));
    m_lastFailure.clear();
    ++m_rows;
    if (row.flags.contains(QStringLiteral("MISSING"))) ++m_missing;
    if (onRow) onRow();
}

void LiveLog::note(const QString& text) {
    if (onNote) onNote(text);
}

// Told once for each new reason, not once a second.
void LiveLog::noteFailure(const QString& why) {
    m_everFailed = true;
    if (why != m_lastFailure) note(why);
    m_lastFailure = why;
}

void LiveLog::bringBackPort() {
    Session& s = m_session;
    ViewState& v = s.model().view;
    const qint64 now = m_timers.nowMs();
    if (!s.link().comm().GetPortOpen()) {
        s.discovery().run();
        if (!s.link().comm().GetPortOpen()) s.link().reopenAndPoll();
    } else if (v.m_linkDown && v.m_batteryText == QLatin1String("Low") &&
               now - m_lastBatteryRetryMs >= kLowBatteryRetryMs) {
        m_lastBatteryRetryMs = now;
        s.link().reopenAndPoll();
    }
}

void LiveLog::checkClockDrift() {
    const qint64 now = m_timers.nowMs();
    if (m_lastDriftNoteMs && now - *m_lastDriftNoteMs < kDriftNoteEveryMs) return;
    const MeterModel& m = m_session.model();
    const std::optional<QString> drift =
        meterClockDriftText(m.frame, m.view.m_linkDown == 0, now / 1000);
    if (!drift) return;
    m_lastDriftNoteMs = now;
    note(*drift);
}

WriteResult LiveLog::reopen() {
    const qint64 now = m_timers.nowMs();
    const QString path = m_file.path();
    if (const WriteResult closed = m_file.close(now); !closed) return closed;
    if (path.isEmpty()) return {true, {}};
    const WriteResult opened = m_file.open(path, kLogHeader, now);
    if (!opened) noteFailure(QStringLiteral("%1: cannot be written: %2").arg(path, opened.reason));
    return opened;
}

void LiveLog::stop() {
    if (m_stopped) return;
    m_stopped = true;
    m_timers.killAllTimers(TimerOwner::LiveLog);
    if (const WriteResult closed = m_file.close(m_timers.nowMs()); !closed)
        noteFailure(QStringLiteral("%1: cannot be written: %2").arg(m_file.path(), closed.reason));
    m_session.closeSequence();
}

}  // namespace km905
