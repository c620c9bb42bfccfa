// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <functional>
#include <memory>
#include <optional>

#include "core/link/QtTimerService.h"
#include "core/session/Session.h"
#include "core/session/Unattended.h"
#include "serial/CMSComm.h"

namespace km905::cli {

// The program's session on the meter's serial port, for a command nobody sits at: the real
// serial control and timers, no windows. What the link asks of the windows reaches the
// callbacks; the crash journal of the program's window is left alone.
class MeterConnection : public ILinkUi {
  public:
    // port: the one asked for; nothing for the settings file's port and the bridge lookup.
    MeterConnection(std::optional<int> port, IUserInteraction& dialogs);
    ~MeterConnection() override;

    Session& session() { return *m_session; }
    MeterModel& model() { return m_session->model(); }
    QString portText() const;  // "port 1 (/dev/ttyUSB0)"
    QString openError() const { return m_comm.lastOpenError(); }
    const ITimerService& timers() const { return m_timers; }
    ITimerService& timers() { return m_timers; }

    // Starts the session on the port: 0, or 3 when no port could be opened.
    int open();
    // The meter's first live frame: 0, 4 when none comes, 6 for a low battery, 130 when
    // interrupted.
    int waitForMeter();
    // Handles events until done() holds (checked often), Ctrl+C or SIGTERM comes, or
    // deadlineMs (none when negative) passes. True when done() holds.
    bool runUntil(const std::function<bool()>& done, int deadlineMs = -1);
    // Handles events until Ctrl+C or SIGTERM, waking for nothing else: for days of logging.
    void runUntilInterrupted();
    bool interrupted() const { return m_interrupted; }
    // Ends the meter's link as the program's close does.
    void close() { m_session->closeSequence(); }

    std::function<void()> onLcd;       // after each live frame
    std::function<void()> onFace;      // the face, e.g. the link went down
    std::function<void()> onLogBytes;  // datalogger stream bytes came

    void repaintLcd() override;
    void repaintFace() override;
    void logBytesStored() override;
    void showMessage(const QString& text) override;  // to standard error

  private:
    std::optional<int> m_port;
    const Settings m_settings = Settings::fromEnvironment();
    CMSComm m_comm;
    QtTimerService m_timers;
    std::unique_ptr<IBridgeLookup> m_bridges;
    NoJournalFile m_journal;
    std::unique_ptr<Session> m_session;
    QObject m_quitContext;  // Ctrl+C reaches this connection only while it lives
    QEventLoop* m_loop = nullptr;
    bool m_interrupted = false;
};

}  // namespace km905::cli
